#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// A synthetic ECG strip as the recorder streams it: one byte per sample,
// 128 samples per second. Each beat is a sum of Gaussian waves (P, Q, R, S, T)
// on a baseline that wanders slowly, with white noise and optional mains hum.
struct EcgSettings {
    double beatsPerMinute = 72;
    double seconds = 60;
    double samplesPerSecond = 128;
    double unitsPerMillivolt = 85; // the trace's scale: 15 twips a unit, 1 mV ~ 1280 twips
    double baseline = 100;         // sample units
    double rMillivolts = 1.2;
    double rWidthSeconds = 0.014;  // standard deviation of the R wave
    double rModulation = 0;        // R amplitude swings by this fraction with breathing
    double tMillivolts = 0.35;
    double wanderMillivolts = 0.3;
    double wanderHz = 0.3;
    double noiseMillivolts = 0.02; // standard deviation of white noise
    double mainsMillivolts = 0;    // 50 Hz hum amplitude
    double firstBeatSeconds = 0.5;
    quint64 seed = 1;
};

struct SyntheticEcg {
    QByteArray samples;
    std::vector<double> beatSamples; // where each R peak lies, in samples from the strip's start
};

SyntheticEcg makeSyntheticEcg(const EcgSettings &settings);
