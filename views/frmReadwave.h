#pragma once
// The ECG waveform window: receives an ECG strip from the recorder, shows
// the header frame's QRS duration, ST level, heart rate, date and time,
// draws every sample as a moving yellow trace, and shows the beat
// indicator and the heart rate that the beat detector finds in the trace.
// Stop, Go/Start, Print and Close; it stores nothing in the data file.
//
// The reading run (port, header block, samples, idle time, line failure)
// is an EcgReadingRun; the window draws what it reports. Every activation
// of the window (its first showing, every return to it from another window
// of the program) and Go/Start begin a new run; a run that was replaced
// never acts again. A port that cannot be opened or fails ends in the
// communication message, and the window closes.
//
// The editions differ here: the German edition reads the header in the
// split layout (English: whole bytes), reopens an open port at each run,
// draws the millivolt scale into the drawing area (English: a column of
// labels beside it), starts the trace 500 twips in, clears the trace on
// activation, puts the load texts back on Start, and prepares the window
// for printing.
#include "comm/BeatDisplay.h"
#include "comm/EcgReadingRun.h"
#include "views/EcgTracePen.h"

#include <QWidget>

#include <memory>

class EcgTraceArea;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class PanelStatusBar;
class WindowReturns;

class frmReadwave : public QWidget, private BeatDisplay {
    Q_OBJECT
public:
    // Load step included (Form_Load); the window is not shown.
    explicit frmReadwave(QWidget* parent = nullptr);
    ~frmReadwave() override;

    // The window's serial port; the settings window sets its port number.
    SerialLine& MSComm1() { return m_run.port(); }
    EcgReadingRun& run() { return m_run; }

    void Form_Load();
    void Form_Activate();
    void CmdGo_Click();
    void CmdStop_Click();
    void CmdPrint_Click();
    void cmdClose_Click();
    // The run's idle time-out; stopped when the run ended with it.
    void Timer1_Timer(bool stopped);
    void Form_Unload();

    // One reading run: opens the port and waits for the header block.
    void ReadWave();

    quint64 currentRun() const { return m_run.currentRun(); }
    const EcgTracePen& pen() const { return m_pen; }
    QString statusPanel(int panel) const;
    bool isUnloaded() const { return m_unloaded; }

    // Controls, by their names.
    EcgTraceArea* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QFrame* Frame2 = nullptr;
    QLineEdit* Text1 = nullptr; // live heart rate
    QLineEdit* Text2 = nullptr; // QRS duration
    QLineEdit* Text3 = nullptr; // ST level
    QLineEdit* Text4 = nullptr; // heart rate from the header
    QLineEdit* Text5 = nullptr; // date
    QLineEdit* Text6 = nullptr; // time
    QPushButton* CmdGo = nullptr;
    QPushButton* CmdStop = nullptr;
    QPushButton* CmdPrint = nullptr;
    QPushButton* cmdClose = nullptr;
    QCheckBox* Check1 = nullptr;
    PanelStatusBar* StatusBar1 = nullptr;
    // The English edition's scale beside Picture1; nullptr in the German.
    QWidget* scaleColumn = nullptr;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    QWidget* buildScaleColumn();
    void showLoadTexts();
    void showHeader(const WaveHeader& header);
    void setYellow(bool yellow);
    // The German edition's look while its window is printed.
    void printLook(bool printing);
    void failRun(const QString& description);

    void setBeatIndicatorVisible(bool visible) override;
    void setHeartRateText(const QString& text) override;

    EcgReadingRun m_run;
    const bool m_german;
    EcgTracePen m_pen;
    WindowReturns* m_returns = nullptr;
    bool m_failing = false;
    bool m_unloaded = false;
};
