#pragma once
// The blood-pressure reading window: receives the measurements the
// recorder sends after its send key is pressed, shows each one as it
// arrives with a running count, and on closing (after a question) stores
// them in the current data file.
//
// The reading run itself (port, blocks, records, idle time, line failure)
// is a BpReadingRun; the window shows what it reports. Every activation of
// the window (its first showing, every return to it from another window of
// the program) and Retry start a new run; a run that was replaced never
// acts again.
#include "comm/BpReadingRun.h"
#include "views/WindowReturns.h"

#include <QList>
#include <QWidget>

#include <array>

class ProgressScale;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class PanelStatusBar;

class frmRead : public QWidget {
    Q_OBJECT
public:
    // Load step included (Form_Load); the window is not shown.
    explicit frmRead(QWidget* parent = nullptr);
    ~frmRead() override;

    // The window's serial port; the settings window sets its line settings
    // and port number.
    SerialLine& MSComm1() { return m_run.port(); }
    RecorderLink& link() { return m_run.link(); }

    void Form_Load();
    void Form_Activate();
    void cmdRetry_Click();
    void cmdClose_Click();
    // The run's idle time-out; finished when the transfer ended with it.
    void Timer1_Timer(bool finished);
    void Form_Unload();

    // One reading run: opens the port and waits for the first block.
    void ReadRecords();

    // The records of the current run, in the order received.
    const QList<BpRecord>& records() const { return m_run.records(); }
    int count() const { return int(m_run.records().size()); }
    // Received readings not yet stored or let go by the user.
    bool hasUnsettledReadings() const { return !m_run.records().isEmpty() && !m_settled; }
    // Number of the current run (0 before the first).
    quint64 currentRun() const { return m_run.currentRun(); }
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
    PanelStatusBar* StatusBar1 = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void showEmptyValues();
    void onRunStarted();
    void hideLamps();
    void onStageReached(int stage);
    void showRecord(const BpRecord& record);
    void failRun(const QString& description);
    // Asks whether to store the run's readings and stores them; when storing
    // fails, offers a new data file for them. False when they are still
    // kept in this window (the user declined the new file).
    bool settleReadings();
    bool storeInNewFile(QString reason);
    bool dataFileTakesReadings();

    BpReadingRun m_run;
    WindowReturns m_returns{this};
    bool m_settled = false;
    bool m_failing = false;
    bool m_unloaded = false;
};
