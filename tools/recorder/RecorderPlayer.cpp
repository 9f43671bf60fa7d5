#include "tools/recorder/RecorderPlayer.h"

#include <cmath>

RecorderPlayer::RecorderPlayer(Writer writer, QObject* parent)
    : QObject(parent)
    , m_writer(std::move(writer))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RecorderPlayer::onTick);
}

void RecorderPlayer::enter(Phase phase, int intervalMs, bool repeating)
{
    m_phase = phase;
    m_timer.setSingleShot(!repeating);
    m_timer.start(intervalMs);
}

void RecorderPlayer::playBursts(const QList<QByteArray>& bursts, int gapMs)
{
    stop();
    m_ecg.reset();
    m_bursts = bursts;
    m_next = 0;
    m_gapMs = qMax(0, gapMs);
    if (m_bursts.isEmpty()) {
        QTimer::singleShot(0, this, &RecorderPlayer::finished);
        return;
    }
    enter(Phase::BurstDue, 0, false);
}

void RecorderPlayer::playEcg(const QByteArray& headerBurst, const EcgSynthesizer& ecg,
                             int pauseMs, double seconds)
{
    stop();
    m_ecg.emplace(ecg);
    m_ecgPauseMs = qMax(0, pauseMs);
    m_samplesSent = 0;
    m_secondReported = 0;
    m_samplesDue = seconds > 0
        ? qint64(std::llround(seconds * EcgSynthesizer::kSamplesPerSecond))
        : -1;
    m_bursts = {headerBurst};
    m_next = 0;
    enter(Phase::BurstDue, 0, false);
}

void RecorderPlayer::onTick()
{
    switch (m_phase) {
    case Phase::BurstDue:
        beginBurst();
        break;
    case Phase::Burst:
        continueBurst();
        break;
    case Phase::EcgPause:
        // The sample clock starts after the header's pause.
        m_clock.start();
        enter(Phase::EcgSamples, 2, true);
        sendDueSamples();
        break;
    case Phase::EcgSamples:
        sendDueSamples();
        break;
    case Phase::Idle:
        break;
    }
}

void RecorderPlayer::beginBurst()
{
    m_written = 0;
    m_delivered = true;
    if (m_bytesPerSecond == 0) {
        const QByteArray& burst = m_bursts[m_next];
        m_delivered = m_writer(burst) == burst.size();
        burstDone();
        return;
    }
    m_clock.start();
    enter(Phase::Burst, 1, true);
    continueBurst();
}

void RecorderPlayer::continueBurst()
{
    // As many bytes as the line rate allows by now (the first at once).
    const QByteArray& burst = m_bursts[m_next];
    const qint64 due = qMin<qint64>(burst.size(),
                                    m_clock.nsecsElapsed() * m_bytesPerSecond / 1000000000 + 1);
    if (due > m_written) {
        const QByteArray slice = burst.mid(m_written, due - m_written);
        if (m_writer(slice) != slice.size())
            m_delivered = false;
        m_written = due;
    }
    if (m_written >= burst.size())
        burstDone();
}

void RecorderPlayer::burstDone()
{
    m_timer.stop();
    ++m_next;
    const quint64 play = m_play;
    emit burstSent(m_next, int(m_bursts.size()), m_delivered);
    if (play != m_play)
        return; // a receiver stopped us or started something new
    if (m_next < m_bursts.size())
        enter(Phase::BurstDue, m_gapMs, false);
    else if (m_ecg)
        enter(Phase::EcgPause, m_ecgPauseMs, false);
    else
        finish();
}

void RecorderPlayer::sendDueSamples()
{
    // As many samples as 128 per second make by now, each written on its
    // own so the line carries them one by one.
    const qint64 due = m_clock.nsecsElapsed() * EcgSynthesizer::kSamplesPerSecond / 1000000000 + 1;
    while (m_samplesSent < due && (m_samplesDue < 0 || m_samplesSent < m_samplesDue)) {
        m_writer(QByteArray(1, char(m_ecg->nextSample())));
        ++m_samplesSent;
    }
    const qint64 second = m_samplesSent / EcgSynthesizer::kSamplesPerSecond;
    if (second != m_secondReported) {
        m_secondReported = second;
        const quint64 play = m_play;
        emit samplesSent(m_samplesSent);
        if (play != m_play)
            return; // a receiver stopped us
    }
    if (m_samplesDue >= 0 && m_samplesSent >= m_samplesDue)
        finish();
}

void RecorderPlayer::stop()
{
    m_timer.stop();
    m_phase = Phase::Idle;
    ++m_play;
}

void RecorderPlayer::finish()
{
    stop();
    emit finished();
}
