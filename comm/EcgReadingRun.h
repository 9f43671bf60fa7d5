#pragma once
// One ECG reading run at a time over the recorder link: opens the port,
// takes the header block and decodes its frame, then takes every byte
// that follows as a sample, feeds it to the beat detector and reports it,
// stops after the idle time, and turns a line failure into one failed()
// report. It has no window: the waveform window draws what it reports.
//
//   EcgReadingRun run;
//   run.port().setSettings(gCommSet);        // load step
//   run.setHeaderLayout(FrameLayout::Split); // the edition's header layout
//   run.setRestartPort(true);                //   and port opening
//   run.detector().setDisplay(&display);     // beat indicator, heart rate
//   run.start();                             // -> started, or failed
//   ...  headerReceived(h)                   // only when the block held a frame
//   ...  samplingStarted()                   // detector reset
//   ...  sampleReceived(s)                   // every byte, in order, after
//                                            // the detector took it
//   ...  idleTimeout(stopped): 1000 ms without a sample while sampling;
//        stopped (port closed, run over) unless continueWaiting is on.
//   run.stop();                              // Stop, unload
//
// A new start() takes over: the earlier run never reports again.
#include "comm/BeatDetector.h"
#include "comm/LineIdleTimer.h"
#include "comm/RecorderLink.h"
#include "comm/WaveHeader.h"


class EcgReadingRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleTimeoutMs = 1000;

    explicit EcgReadingRun(QObject* parent = nullptr);

    RecorderLink& link() { return m_link; }
    SerialLine& port() { return m_link.port(); }
    BeatDetector& detector() { return m_detector; }

    void setHeaderLayout(FrameLayout layout) { m_layout = layout; }
    // true: a start closes an open port and opens it again; false: it
    // keeps an open port.
    void setRestartPort(bool restart) { m_restartPort = restart; }
    // After the idle time: wait on (true) or stop (false).
    void setContinueWaiting(bool on) { m_continue = on; }

    // Starts a new run. False when the port cannot be opened; failed() has
    // then been reported.
    bool start();
    // Ends the run and closes the port.
    void stop();

    quint64 currentRun() const { return m_run; }
    bool isSampling() const { return m_sampling; }
    // Samples of the current run.
    qint64 sampleCount() const { return m_samples; }
    bool isIdleTimerActive() const { return m_idle.isActive(); }

signals:
    void started();
    void headerReceived(const WaveHeader& header);
    void samplingStarted();
    void sampleReceived(quint8 sample);
    void idleTimeout(bool stopped);
    void failed(const QString& description);

private:
    // The run is the current one and has not ended.
    bool isCurrent(quint64 run) const;
    void onHeaderBlock(quint64 run, const QByteArray& block);
    void onSamples(quint64 run, const QByteArray& samples);
    void onLineFailed(quint64 run, const QString& description);
    void onIdle();

    RecorderLink m_link;
    BeatDetector m_detector;
    LineIdleTimer m_idle;
    FrameLayout m_layout = FrameLayout::Split;
    bool m_restartPort = true;
    bool m_continue = false;
    bool m_sampling = false;
    quint64 m_run = 0;
    qint64 m_samples = 0;
};
