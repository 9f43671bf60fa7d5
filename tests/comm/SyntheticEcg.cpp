#include "SyntheticEcg.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Small self-contained generator, so that a seed gives the same strip with
// every standard library.
class NoiseSource {
public:
    explicit NoiseSource(quint64 seed)
        : m_state(seed)
    {
    }

    double gaussian()
    {
        if (m_hasSpare) {
            m_hasSpare = false;
            return m_spare;
        }
        const double u1 = (double(next() >> 11) + 1.0) / 9007199254740993.0;
        const double u2 = double(next() >> 11) / 9007199254740992.0;
        const double radius = std::sqrt(-2.0 * std::log(u1));
        m_spare = radius * std::sin(2 * std::numbers::pi * u2);
        m_hasSpare = true;
        return radius * std::cos(2 * std::numbers::pi * u2);
    }

private:
    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    quint64 m_state;
    double m_spare = 0;
    bool m_hasSpare = false;
};

struct Wave {
    double millivolts;
    double offsetSeconds;
    double widthSeconds;
};

double gaussian(double t, const Wave &wave)
{
    const double x = (t - wave.offsetSeconds) / wave.widthSeconds;
    return wave.millivolts * std::exp(-0.5 * x * x);
}

} // namespace

SyntheticEcg makeSyntheticEcg(const EcgSettings &s)
{
    const int count = int(std::lround(s.seconds * s.samplesPerSecond));
    const double rr = 60.0 / s.beatsPerMinute;
    // The T wave moves closer to the R wave as the rate rises.
    const double tOffset = 0.25 * std::sqrt(rr);
    const double breathHz = 0.25;

    std::vector<double> millivolts(size_t(count), 0.0);
    SyntheticEcg ecg;
    for (double peak = s.firstBeatSeconds; peak < s.seconds; peak += rr) {
        const double rScale = 1.0 + s.rModulation * std::sin(2 * std::numbers::pi * breathHz * peak);
        const Wave waves[] = {
            { 0.15, -0.16, 0.025 },
            { -0.12, -0.035, 0.010 },
            { s.rMillivolts * rScale, 0.0, s.rWidthSeconds },
            { -0.30, 0.035, 0.012 },
            { s.tMillivolts, tOffset, 0.05 },
        };
        const int first = std::max(0, int((peak - 0.4) * s.samplesPerSecond));
        const int last = std::min(count - 1, int((peak + tOffset + 0.3) * s.samplesPerSecond));
        for (int i = first; i <= last; ++i) {
            const double t = i / s.samplesPerSecond - peak;
            for (const Wave &wave : waves)
                millivolts[size_t(i)] += gaussian(t, wave);
        }
        ecg.beatSamples.push_back(peak * s.samplesPerSecond);
    }

    NoiseSource noise(s.seed);
    ecg.samples.resize(count);
    for (int i = 0; i < count; ++i) {
        const double t = i / s.samplesPerSecond;
        double mv = millivolts[size_t(i)];
        mv += s.wanderMillivolts * std::sin(2 * std::numbers::pi * s.wanderHz * t);
        mv += s.mainsMillivolts * std::sin(2 * std::numbers::pi * 50.0 * t);
        mv += s.noiseMillivolts * noise.gaussian();
        const double units = std::clamp(std::round(s.baseline + mv * s.unitsPerMillivolt), 0.0, 255.0);
        ecg.samples[i] = char(quint8(units));
    }
    return ecg;
}
