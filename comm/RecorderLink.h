#pragma once
// What a reading window holds to talk to the recorder: its serial port and
// the block collector, joined so that every stamped piece that comes is
// fed to the collector at once, and the collector hears of the line's
// silence even when no further byte comes. The reading windows build
// their runs on this:
//
//   RecorderLink link;                       // the window's port
//   link.port().setSettings(gCommSet);       // load step; the settings
//   link.port().setPortNumber(n);            //   window does the same
//   if (!link.OpenPort(true)) show(link.errorString());
//   const quint64 run = link.startRun();     // earlier runs never act again
//   link.DiscardWaiting();
//   link.WaitForBlock();                     // -> stageReached, blockReady
//   ...                                      // in blockReady: ScanBlock,
//   link.WaitForBlock();                     //   DecodeFrame, next block
//   link.streamSamples();                    // after a header block:
//                                            //   -> samplesArrived, every byte
//   link.stop();                             // Stop / unload
//
// Signals carry the run they belong to; after stop() or a newer
// startRun() an older run gets nothing more. lineFailed comes when the
// open port fails while a run is active; the port is closed by then.
#include "comm/BlockCollector.h"
#include "platform/SerialLine.h"

#include <QTimer>

class RecorderLink : public QObject {
    Q_OBJECT
public:
    explicit RecorderLink(QObject* parent = nullptr);

    SerialLine& port() { return m_port; }
    BlockCollector& collector() { return m_collector; }

    // restart true: close the port if open, then open it; restart false:
    // open it only if it is closed. False on failure, see errorString().
    bool OpenPort(bool restart);
    void closePort();
    bool isPortOpen() const { return m_port.isOpen(); }
    QString errorString() const { return m_port.errorString(); }

    quint64 startRun() { return m_collector.startRun(); }
    void stop() { m_collector.stop(); }
    quint64 currentRun() const { return m_collector.currentRun(); }
    bool isRunning() const { return m_collector.isRunning(); }

    // Throws away every byte that came so far, in the port and in the
    // collector, as a run starts.
    void DiscardWaiting();
    void WaitForBlock() { m_collector.waitForBlock(); }
    void streamSamples() { m_collector.streamSamples(); }
    int waitingCount() const { return m_collector.waitingCount(); }
    // When the line last brought a byte, handled yet or not; -1: none.
    qint64 lastArrival() const { return m_port.lastArrival(); }

signals:
    void stageReached(quint64 run, int stage);
    void blockReady(quint64 run, const QByteArray& block);
    void samplesArrived(quint64 run, const QByteArray& samples);
    void lineFailed(quint64 run, const QString& description);

private:
    void take(const QByteArray& bytes, qint64 stampMs);
    void watchForSilence();
    void onSilence();

    SerialLine m_port;
    BlockCollector m_collector;
    QTimer m_silence;
};
