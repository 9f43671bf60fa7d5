#include "tools/recorder/RecorderPlayer.h"

#include <cmath>

RecorderPlayer::RecorderPlayer(Writer writer, QObject* parent)
    : QObject(parent)
    , m_writer(std::move(writer))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
}

void RecorderPlayer::playBursts(const QList<QByteArray>& bursts, int gapMs)
{
    stop();
    m_bursts = bursts;
    m_next = 0;
    m_gapMs = qMax(0, gapMs);
    m_playing = true;
    m_timer.disconnect(this);
    connect(&m_timer, &QTimer::timeout, this, &RecorderPlayer::sendNextBurst);
    m_timer.start(0);
}

void RecorderPlayer::sendNextBurst()
{
    if (m_next >= m_bursts.size()) {
        finish();
        return;
    }
    const QByteArray& burst = m_bursts[m_next++];
    const bool delivered = m_writer(burst) == burst.size();
    emit burstSent(m_next, int(m_bursts.size()), delivered);
    if (!m_playing)
        return; // a receiver stopped us
    if (m_next >= m_bursts.size())
        finish();
    else
        m_timer.start(m_gapMs);
}

void RecorderPlayer::playEcg(const QByteArray& headerBurst, const EcgSynthesizer& ecg,
                             int pauseMs, double seconds)
{
    stop();
    m_ecg.emplace(ecg);
    m_samplesSent = 0;
    m_secondReported = 0;
    m_samplesDue = seconds > 0
        ? qint64(std::llround(seconds * EcgSynthesizer::kSamplesPerSecond))
        : -1;
    m_playing = true;
    m_writer(headerBurst);
    emit burstSent(1, 1, true);
    m_timer.disconnect(this);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        // The sample clock starts after the header's pause.
        m_clock.start();
        m_timer.disconnect(this);
        connect(&m_timer, &QTimer::timeout, this, &RecorderPlayer::sendDueSamples);
        m_timer.setSingleShot(false);
        m_timer.start(2);
        sendDueSamples();
    });
    m_timer.setSingleShot(true);
    m_timer.start(qMax(0, pauseMs));
}

void RecorderPlayer::sendDueSamples()
{
    // As many samples as 128 per second make by now, each written on its
    // own so the line carries them one by one.
    const qint64 due = m_clock.nsecsElapsed() * EcgSynthesizer::kSamplesPerSecond / 1000000000 + 1;
    while (m_playing && m_samplesSent < due
           && (m_samplesDue < 0 || m_samplesSent < m_samplesDue)) {
        const quint8 sample = m_ecg->nextSample();
        m_writer(QByteArray(1, char(sample)));
        ++m_samplesSent;
    }
    if (!m_playing)
        return;
    const qint64 second = m_samplesSent / EcgSynthesizer::kSamplesPerSecond;
    if (second != m_secondReported) {
        m_secondReported = second;
        emit samplesSent(m_samplesSent);
    }
    if (m_samplesDue >= 0 && m_samplesSent >= m_samplesDue)
        finish();
}

void RecorderPlayer::stop()
{
    m_timer.stop();
    m_timer.setSingleShot(true);
    m_playing = false;
}

void RecorderPlayer::finish()
{
    stop();
    emit finished();
}
