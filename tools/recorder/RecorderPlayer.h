#pragma once
// Plays what the recorder sends when its send key is pressed, in real time
// and on the event loop: blood-pressure bursts with a gap between them, or
// an ECG strip (a header burst, then one sample byte every 1/128 s).
#include "tools/recorder/EcgSynthesizer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class RecorderPlayer : public QObject {
    Q_OBJECT
public:
    // Writes bytes to the line; returns how many went out (0 or less when
    // nobody listens: the bytes are lost, as on a real line).
    using Writer = std::function<qint64(const QByteArray&)>;

    explicit RecorderPlayer(Writer writer, QObject* parent = nullptr);

    void playBursts(const QList<QByteArray>& bursts, int gapMs);
    // seconds <= 0 plays until stop().
    void playEcg(const QByteArray& headerBurst, const EcgSynthesizer& ecg, int pauseMs,
                 double seconds);
    void stop();
    bool isPlaying() const { return m_playing; }

signals:
    void burstSent(int number, int count, bool delivered);
    void samplesSent(qint64 count);
    void finished();

private:
    void sendNextBurst();
    void sendDueSamples();
    void finish();

    Writer m_writer;
    QTimer m_timer;
    bool m_playing = false;
    QList<QByteArray> m_bursts;
    int m_next = 0;
    int m_gapMs = 300;
    std::optional<EcgSynthesizer> m_ecg;
    QElapsedTimer m_clock;
    qint64 m_samplesDue = 0;
    qint64 m_samplesSent = 0;
    qint64 m_secondReported = 0;
};
