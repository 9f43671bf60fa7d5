#pragma once
// The header frame of an ECG strip as the recorder sent it: QRS duration
// (1/100 s), ST level (1/100 mV), heart rate, month, day, hour, minute,
// each one byte. A level byte above 128 stands for 255 minus it, which is
// what is kept here.
#include "comm/FrameProtocol.h"

#include <QtGlobal>

struct WaveHeader {
    static constexpr quint8 kLevelFoldAbove = 128;

    quint8 qrs = 0;
    quint8 st = 0;
    quint8 pulse = 0;
    quint8 month = 0;
    quint8 day = 0;
    quint8 hour = 0;
    quint8 minute = 0;

    // Field A QRS, B ST, C pulse, D month, E day, F hour, G minute.
    static WaveHeader fromFields(const FrameFields& f)
    {
        const quint8 st = f.b > kLevelFoldAbove ? quint8(255 - f.b) : f.b;
        return {f.a, st, f.c, f.d, f.e, f.f, f.g};
    }

    friend bool operator==(const WaveHeader&, const WaveHeader&) = default;
};
