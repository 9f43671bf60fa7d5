#include "tools/recorder/BurstBuilder.h"

namespace {

constexpr int kSecondFrameDistance = 20;

// Filler tried in turn until the receiver finds the intended frame first.
constexpr quint8 kFillers[] = {0x00, 0xFF, 0x20, 0xAA, 0x11};

void put(QByteArray& burst, int at, const QByteArray& bytes)
{
    if (burst.size() < at + bytes.size())
        burst.resize(at + bytes.size(), char(kFillers[0]));
    burst.replace(at, bytes.size(), bytes);
}

QByteArray frameWithFault(const FrameFields& fields, FrameLayout layout, quint8 firstByte,
                          BurstFault fault)
{
    QByteArray frame = EncodeFrame(fields, layout, firstByte);
    if (fault == BurstFault::BadChecksum)
        frame[9] = char(quint8(frame[9]) + 1);
    if (fault == BurstFault::WrongMarker) {
        // Another letter, with the checksum kept right so only the marker
        // is wrong.
        frame[Frame::kMarkerOffset] = 'G';
        frame[9] = char(quint8(frame[9]) + 1);
    }
    return frame;
}

QByteArray assemble(const FrameFields& fields, FrameLayout layout, const BurstShape& shape,
                    BurstFault fault, const FrameFields& second, quint8 filler, quint8 firstByte)
{
    const int offset = fault == BurstFault::Offset61 ? Frame::kLastOffset + 1 : shape.frameOffset;
    QByteArray burst(qMax(shape.length, 0), char(filler));
    put(burst, offset, frameWithFault(fields, layout, firstByte, fault));
    if (fault == BurstFault::TwoFrames)
        put(burst, offset + kSecondFrameDistance, EncodeFrame(second, layout));
    if (shape.endMarker)
        put(burst, offset + Frame::kLength + 2,
            QByteArray(Frame::kEndMarker, Frame::kEndMarkerLength));
    return burst;
}

QByteArray buildClean(const FrameFields& fields, FrameLayout layout, const BurstShape& shape,
                      BurstFault fault, const FrameFields& second)
{
    const bool frameExpected = fault == BurstFault::None || fault == BurstFault::TwoFrames;
    const int offset = shape.frameOffset;
    QByteArray burst;
    // Try fillers and first bytes until the scan sees what the fault says
    // it should: the frame at its offset, or (for the faults) no frame.
    for (quint8 filler : kFillers) {
        for (int firstByte = 0; firstByte < 256; ++firstByte) {
            burst = assemble(fields, layout, shape, fault, second, filler, quint8(firstByte));
            const ScanResult scan = ScanBlock(burst);
            if (frameExpected ? (scan.found && scan.offset == offset) : !scan.found)
                return burst;
        }
    }
    return burst; // offsets beyond the scan: nothing can be found anyway
}

} // namespace

QByteArray buildBurst(const BpReading& reading, const BurstShape& shape, BurstFault fault,
                      const BpReading& second)
{
    return buildClean(reading.toFields(), FrameLayout::Split, shape, fault, second.toFields());
}

QByteArray buildHeaderBurst(const EcgHeader& header, FrameLayout layout, const BurstShape& shape)
{
    return buildClean(header.toFields(), layout, shape, BurstFault::None, {});
}

QByteArray buildNoiseBurst(QRandomGenerator& random, int length)
{
    QByteArray noise(length, '\0');
    for (;;) {
        for (char& c : noise)
            c = char(random.bounded(256));
        if (!ScanBlock(noise).found)
            return noise;
    }
}
