#pragma once
// One blood-pressure measurement as it came from the recorder: the seven
// decoded fields of a record frame, unchecked (a recorder may send a month
// 13; the values are checked when they are stored).
#include "comm/FrameProtocol.h"

#include <QtGlobal>

struct BpRecord {
    quint8 systolic = 0;
    quint8 diastolic = 0;
    quint8 pulse = 0;
    quint8 month = 0;
    quint8 day = 0;
    quint8 hour = 0;
    quint8 minute = 0;

    // Field A systolic, B diastolic, C pulse, D month, E day, F hour, G minute.
    static BpRecord fromFields(const FrameFields& f) { return {f.a, f.b, f.c, f.d, f.e, f.f, f.g}; }

    friend bool operator==(const BpRecord&, const BpRecord&) = default;
};
