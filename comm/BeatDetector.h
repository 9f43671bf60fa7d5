#pragma once

#include <QtGlobal>

#include <array>

class BeatDisplay;

// Finds heart beats in an 8-bit ECG stream of 128 samples per second from the
// rise between consecutive samples: an adaptive threshold (two thirds of the
// largest rise since the last beat, limited to 2..32) with a refractory time
// of half the last interval. From the fifth beat on it shows the heart rate
// averaged over the last four beat-to-beat intervals.
//
// Per sample the caller runs UpdateRise(sample) and then DetectBeat(); the
// waveform window calls ResetBeatDetector() whenever sampling starts.
// previous, inBeat and rr[1..3] are kept across a reset on purpose.
//
// Pure arithmetic: no I/O, no timers; the display is optional.
class BeatDetector {
public:
    // The recorder streams 128 samples per second, so four intervals counted
    // in samples give beats per minute as 4 x 60 x 128 = 30720 over their sum.
    static constexpr int kSamplesPerSecond = 128;
    static constexpr double kRateConstant = 4.0 * 60.0 * kSamplesPerSecond;
    // Intervals and their sum are kept as 16-bit signed sample counts.
    static constexpr int kMaxInterval = 32767;
    // The beat indicator stays up this many samples; no beat is found meanwhile.
    static constexpr int kIndicatorSamples = 18;

    explicit BeatDetector(BeatDisplay *display = nullptr);

    void setDisplay(BeatDisplay *display) { m_display = display; }
    BeatDisplay *display() const { return m_display; }

    void ResetBeatDetector();
    void UpdateRise(quint8 sample);
    void DetectBeat();

    // UpdateRise followed by DetectBeat: the whole step for one sample.
    void addSample(quint8 sample)
    {
        UpdateRise(sample);
        DetectBeat();
    }

    quint8 sample() const { return m_sample; }
    quint8 previous() const { return m_previous; }
    quint8 rise() const { return m_rise; }
    quint8 threshold() const { return m_threshold; }
    quint8 maxRise() const { return m_maxRise; }
    double n() const { return m_n; }
    double beatAt() const { return m_beatAt; }
    double prevBeatAt() const { return m_prevBeatAt; }
    bool inBeat() const { return m_inBeat; }
    const std::array<qint16, 4> &rr() const { return m_rr; }
    double rrSum() const { return m_rrSum; }
    quint8 beats() const { return m_beats; }
    qint16 heartRate() const { return m_heartRate; }

private:
    void onBeat();
    void adaptThreshold();
    void showIndicator(bool visible);

    BeatDisplay *m_display = nullptr;

    quint8 m_sample = 0;
    quint8 m_previous = 0;
    quint8 m_rise = 0;
    quint8 m_threshold = 8;
    quint8 m_maxRise = 0;
    double m_n = 0;
    double m_beatAt = 0;
    double m_prevBeatAt = 0;
    bool m_inBeat = false;
    std::array<qint16, 4> m_rr { 40, 0, 0, 0 };
    double m_rrSum = 0;
    quint8 m_beats = 0;
    qint16 m_heartRate = 0;
};
