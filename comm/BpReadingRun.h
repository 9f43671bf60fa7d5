#pragma once
// One blood-pressure reading run at a time over the recorder link: opens
// the port, takes each receive block, decodes its record frame and keeps
// the records of the current run, ends the transfer after the idle time,
// and turns a line failure into one failed() report. It has no window: the
// reading window shows what it reports and asks whether to store.
//
//   BpReadingRun run;
//   run.port().setSettings(gCommSet);        // load step
//   run.start();                              // -> started, or failed
//   ...  stageReached(1..3), recordReceived(r), waitingForBlock()
//   ...  idleTimeout(finished): 500 ms after the line's last byte, once a
//        block was taken; finished when continueWaiting is off (the port
//        is closed then). A slow line still delivering a burst is not idle.
//   run.end();                                // unload, question, failure
//
// A new start() takes over: the earlier run never reports again and its
// records are dropped (the window asks first).
#include "comm/BpRecord.h"
#include "comm/LineIdleTimer.h"
#include "comm/RecorderLink.h"

#include <QList>

class BpReadingRun : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleTimeoutMs = 500;

    explicit BpReadingRun(QObject* parent = nullptr);

    RecorderLink& link() { return m_link; }
    SerialLine& port() { return m_link.port(); }

    // After the idle time without a block: keep the port open and wait on
    // (true), or end the transfer (false).
    void setContinueWaiting(bool on) { m_continue = on; }

    // Starts a new run. False when the port cannot be opened; failed() has
    // then been reported.
    bool start();
    // Stops waiting and closes the port; the records stay.
    void end();

    const QList<BpRecord>& records() const { return m_records; }
    quint64 currentRun() const { return m_run; }
    bool isIdleTimerActive() const { return m_idle.isActive(); }

signals:
    void started();
    void stageReached(int stage);
    void recordReceived(const BpRecord& record);
    // The next block is awaited; what waited in between was thrown away.
    void waitingForBlock();
    void idleTimeout(bool finished);
    void failed(const QString& description);

private:
    void waitForNextBlock();
    void onStageReached(quint64 run, int stage);
    void onBlockReady(quint64 run, const QByteArray& block);
    void onLineFailed(quint64 run, const QString& description);
    void onIdle();

    RecorderLink m_link;
    LineIdleTimer m_idle;
    QList<BpRecord> m_records;
    quint64 m_run = 0;
    bool m_continue = false;
};
