#include "comm/BeatDetector.h"

#include "comm/BeatDisplay.h"

#include <QString>

#include <cmath>

namespace {

// Rounds to the nearest whole number, halves to the even neighbour, whatever
// rounding mode the floating-point unit happens to be in.
double roundHalfEven(double value)
{
    const double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5)
        return whole + 1;
    if (fraction < 0.5)
        return whole;
    return std::fmod(whole, 2.0) == 0 ? whole : whole + 1;
}

constexpr quint8 kInitialThreshold = 8;
constexpr qint16 kInitialInterval = 40;
constexpr quint8 kNoBeatThreshold = 255;
constexpr quint8 kMinThreshold = 2;
constexpr quint8 kMaxThreshold = 32;
constexpr qint16 kMinRefractoryInterval = 38;
constexpr qint16 kMaxRefractoryInterval = 255;
constexpr double kQuietSamples = 256;
constexpr quint8 kMaxBeatCount = 250;
constexpr int kIntervalsForRate = 4;

} // namespace

BeatDetector::BeatDetector(BeatDisplay *display)
    : m_display(display)
{
}

void BeatDetector::ResetBeatDetector()
{
    // previous, inBeat and rr[1..3] stay: the first rise of a run is taken
    // against the last sample of the run before, and a beat that was showing
    // still blocks detection until its 18 samples are over.
    m_threshold = kInitialThreshold;
    m_maxRise = 0;
    m_n = 0;
    m_beatAt = 0;
    m_prevBeatAt = 0;
    m_rr[0] = kInitialInterval;
    m_beats = 0;
    showIndicator(false);
    if (m_display)
        m_display->setHeartRateText(QStringLiteral("0"));
}

void BeatDetector::UpdateRise(quint8 sample)
{
    m_sample = sample;
    m_rise = sample > m_previous ? quint8(sample - m_previous) : quint8(0);
    m_previous = sample;
}

void BeatDetector::DetectBeat()
{
    m_n += 1;
    if (!m_inBeat && m_rise > m_threshold)
        onBeat();
    if (m_n - m_beatAt == kIndicatorSamples) {
        showIndicator(false);
        m_inBeat = false;
    }
    if (m_n - m_beatAt > m_rr[0] / 2.0)
        adaptThreshold();
    // After the beat test, so that a beat's own upstroke counts towards the
    // threshold that follows it.
    if (m_rise > m_maxRise)
        m_maxRise = m_rise;
}

void BeatDetector::onBeat()
{
    m_beatAt = m_n;
    m_inBeat = true;

    // An interval beyond the 16-bit range (over four minutes without a beat)
    // is held at the top of the range instead of overflowing. The sum is
    // formed wide, so it cannot wrap either.
    const double interval = m_n - m_prevBeatAt;
    m_rr[0] = interval > kMaxInterval ? qint16(kMaxInterval) : qint16(interval);
    int sum = 0;
    for (qint16 value : m_rr)
        sum += value;
    m_rrSum = sum;

    m_rr[3] = m_rr[2];
    m_rr[2] = m_rr[1];
    m_rr[1] = m_rr[0];
    // The clamped copy only times the refractory period; the next beat
    // overwrites it before it enters a sum.
    m_rr[0] = qBound(kMinRefractoryInterval, m_rr[0], kMaxRefractoryInterval);

    m_prevBeatAt = m_beatAt;
    m_threshold = kNoBeatThreshold;
    showIndicator(true);
    if (m_beats < kMaxBeatCount)
        ++m_beats;

    // The fifth beat is the first whose four intervals all lie between beats
    // of this run. Four intervals that add up beyond the 16-bit range (a gap
    // of over a minute each on average, or a held one) give no rate: "0"
    // rather than a stale or wrapped number, until the gap has left the sum.
    if (m_beats > kIntervalsForRate) {
        m_heartRate = m_rrSum <= kMaxInterval ? qint16(roundHalfEven(kRateConstant / m_rrSum)) : qint16(0);
        if (m_display)
            m_display->setHeartRateText(QString::number(m_heartRate));
    }
    m_maxRise = 0;
}

void BeatDetector::adaptThreshold()
{
    const double adapted = roundHalfEven(m_maxRise * 2.0 / 3.0);
    m_threshold = quint8(qBound(double(kMinThreshold), adapted, double(kMaxThreshold)));
    if (m_n - m_beatAt > kQuietSamples)
        m_threshold = kMinThreshold;
}

void BeatDetector::showIndicator(bool visible)
{
    if (m_display)
        m_display->setBeatIndicatorVisible(visible);
}
