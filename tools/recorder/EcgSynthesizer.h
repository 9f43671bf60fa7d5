#pragma once
// A synthetic ECG as the recorder streams it: one unsigned byte per sample,
// 128 samples per second, larger values higher on the screen. Each beat is
// a sum of P, Q, R, S and T waves; the beat-to-beat time follows the chosen
// heart rate with a little natural variation.
#include <QRandomGenerator>
#include <QtGlobal>

class EcgSynthesizer {
public:
    static constexpr int kSamplesPerSecond = 128;
    // Sample units per millivolt, and the value of the 0 mV line.
    static constexpr double kUnitsPerMillivolt = 85.0;
    static constexpr double kDefaultBaseline = 64.0;

    explicit EcgSynthesizer(int heartRate = 72, quint32 seed = 1,
                            double baseline = kDefaultBaseline);

    quint8 nextSample();
    int heartRate() const { return m_heartRate; }
    // Samples produced so far.
    qint64 samplesMade() const { return m_sample; }

private:
    double beatShape(double secondsIntoBeat) const;
    void startBeat();

    int m_heartRate;
    double m_baseline;
    QRandomGenerator m_random;
    qint64 m_sample = 0;
    double m_beatStart = 0;  // seconds
    double m_beatLength = 1; // seconds
};
