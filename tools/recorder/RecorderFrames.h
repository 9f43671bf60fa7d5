#pragma once
// The recorder's side of the frame protocol: building frames from values.
// The program itself only reads frames (comm/FrameProtocol.h); the
// simulator and the tests write them.
#include "comm/FrameProtocol.h"

#include <QByteArray>

// One blood-pressure measurement as the recorder holds it. Every value is
// one byte on the wire; nothing here checks that a date is real, because a
// recorder may send anything.
struct BpReading {
    quint8 systolic = 0;
    quint8 diastolic = 0;
    quint8 pulse = 0;
    quint8 month = 1;
    quint8 day = 1;
    quint8 hour = 0;
    quint8 minute = 0;

    FrameFields toFields() const;
    static BpReading fromFields(const FrameFields& fields);
    friend bool operator==(const BpReading&, const BpReading&) = default;
};

// The waveform header: QRS duration (1/100 s), ST level (1/100 mV), heart
// rate, month, day, hour, minute.
struct EcgHeader {
    quint8 qrs = 8;
    quint8 st = 5;
    quint8 heartRate = 72;
    quint8 month = 3;
    quint8 day = 7;
    quint8 hour = 14;
    quint8 minute = 5;

    FrameFields toFields() const;
};

// A valid 10-byte frame carrying `fields` in `layout`. Byte 0 carries no
// field; it is `firstByte`, and byte 9 makes the sum 0 modulo 256.
QByteArray EncodeFrame(const FrameFields& fields, FrameLayout layout, quint8 firstByte = 0);
