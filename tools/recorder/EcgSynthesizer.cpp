#include "tools/recorder/EcgSynthesizer.h"

#include <cmath>

namespace {

struct Wave {
    double at;        // seconds after the beat's start
    double width;     // seconds (standard deviation)
    double millivolt; // height
};

// P wave, QRS complex and T wave of one beat; the R peak is 0.20 s in.
constexpr Wave kWaves[] = {
    {0.05, 0.020, 0.15},  // P
    {0.18, 0.008, -0.12}, // Q
    {0.20, 0.010, 1.20},  // R
    {0.22, 0.008, -0.25}, // S
    {0.45, 0.045, 0.30},  // T
};

} // namespace

EcgSynthesizer::EcgSynthesizer(int heartRate, quint32 seed, double baseline)
    : m_heartRate(qBound(20, heartRate, 250))
    , m_baseline(baseline)
    , m_random(seed)
{
    startBeat();
    m_beatStart = 0;
}

void EcgSynthesizer::startBeat()
{
    // About 2 % beat-to-beat variation around the chosen rate.
    const double mean = 60.0 / m_heartRate;
    m_beatLength = mean * (1.0 + (m_random.generateDouble() - 0.5) * 0.04);
}

double EcgSynthesizer::beatShape(double t) const
{
    double mv = 0;
    for (const Wave& w : kWaves) {
        const double z = (t - w.at) / w.width;
        mv += w.millivolt * std::exp(-0.5 * z * z);
    }
    return mv;
}

quint8 EcgSynthesizer::nextSample()
{
    const double now = double(m_sample) / kSamplesPerSecond;
    while (now >= m_beatStart + m_beatLength) {
        m_beatStart += m_beatLength;
        startBeat();
    }
    // Waves of fast beats reach into the next beat: add the tail of the
    // previous beat too.
    const double t = now - m_beatStart;
    const double mv = beatShape(t) + beatShape(t + m_beatLength);
    // A little baseline noise, as a real lead has.
    const double noise = (m_random.generateDouble() - 0.5) * 0.02;
    ++m_sample;
    const long value = std::lround(m_baseline + (mv + noise) * kUnitsPerMillivolt);
    return static_cast<quint8>(qBound(0L, value, 255L));
}
