#pragma once
// How the recorder puts frames on the line: each measurement travels in a
// burst of filler bytes with one frame at a chosen offset. Faults can be
// put into single bursts to exercise the receiver.
#include "tools/recorder/RecorderFrames.h"

#include <QByteArray>
#include <QRandomGenerator>

enum class BurstFault {
    None,
    BadChecksum, // the frame's sum is off by one
    WrongMarker, // byte 6 is not 'H' (checksum still right)
    TwoFrames,   // a second valid frame 20 bytes after the first
    Offset61,    // the frame starts at offset 61, beyond the receiver's scan
};

struct BurstShape {
    int length = 96;      // bytes per burst (at least frame offset + 10)
    int frameOffset = 5;  // where the frame starts
    bool endMarker = false; // "UwUwUw" two bytes after the frame's end
};

// One burst carrying `reading`. With TwoFrames the second frame carries
// `second`. In a burst without fault the receiver's scan finds exactly
// this frame at frameOffset: filler and the frame's free first byte are
// chosen so that no false frame appears before it. The burst grows when
// the frame (and marker) would not fit.
QByteArray buildBurst(const BpReading& reading, const BurstShape& shape,
                      BurstFault fault = BurstFault::None, const BpReading& second = {});

// The header burst of an ECG strip: like a measurement burst, with the
// header frame in the given layout.
QByteArray buildHeaderBurst(const EcgHeader& header, FrameLayout layout, const BurstShape& shape);

// Random bytes in which the receiver's scan finds no frame.
QByteArray buildNoiseBurst(QRandomGenerator& random, int length);
