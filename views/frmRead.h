#pragma once
// The blood-pressure reading window: receives the measurements the
// recorder sends after its send key is pressed, shows each one as it
// arrives with a running count, and on closing (after a question) stores
// them in the current data file.
//
// A reading run is event-driven: the port's bytes feed the block collector,
// which reports the stages of a receive block and the block itself; Timer1
// ends the transfer after 500 ms without a block. Every activation of the
// window (its first showing, every return to it from another window of the
// program) and Retry start a new run; a run that was replaced never acts
// again.
#include "comm/BpRecord.h"
#include "comm/RecorderLink.h"

#include <QList>
#include <QTimer>
#include <QWidget>

#include <array>

class ProgressScale;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

class frmRead : public QWidget {
    Q_OBJECT
public:
    // Load step included (Form_Load); the window is not shown.
    explicit frmRead(QWidget* parent = nullptr);
    ~frmRead() override;

    // The window's serial port; the settings window sets its line settings
    // and port number.
    SerialLine& MSComm1() { return m_link.port(); }
    RecorderLink& link() { return m_link; }

    void Form_Load();
    void Form_Activate();
    void cmdRetry_Click();
    void cmdClose_Click();
    void Timer1_Timer();
    void Form_Unload();

    // One reading run: opens the port and waits for the first block.
    void ReadRecords();

    // The records of the current run, in the order received.
    const QList<BpRecord>& records() const { return m_records; }
    int count() const { return int(m_records.size()); }
    // Number of the current run (0 before the first).
    quint64 currentRun() const { return m_run; }
    QString statusPanel(int panel) const;
    bool isUnloaded() const { return m_unloaded; }

    // Controls, by their names.
    QLineEdit* Text1 = nullptr; // count
    QLineEdit* Text2 = nullptr; // systolic
    QLineEdit* Text3 = nullptr; // diastolic
    QLineEdit* Text4 = nullptr; // pulse
    QLineEdit* Text5 = nullptr; // time
    QLineEdit* Text6 = nullptr; // date
    QGroupBox* Frame1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    ProgressScale* Label1 = nullptr;
    std::array<QLabel*, 3> Picture1 = {};
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdRetry = nullptr;
    QPushButton* cmdClose = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QTimer Timer1;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void setStatus(const QString& panel1, const QString& panel2);
    void setStatus2(const QString& panel2);
    void showEmptyValues();
    void waitForNextBlock();
    void onStageReached(quint64 run, int stage);
    void onBlockReady(quint64 run, const QByteArray& block);
    void onLineFailed(quint64 run, const QString& description);
    void addRecord(const BpRecord& record);
    void failRun(const QString& description);
    void endRun();
    // The close question; asked at most once per window.
    void offerToSave();

    RecorderLink m_link;
    QList<BpRecord> m_records;
    quint64 m_run = 0;
    QLabel* m_panel1 = nullptr;
    QLabel* m_panel2 = nullptr;
    bool m_activatedOnce = false;
    bool m_otherWindowActivated = false;
    bool m_saveOffered = false;
    bool m_failing = false;
    bool m_unloaded = false;
};
