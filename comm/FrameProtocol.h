#pragma once
// The recorder's 10-byte record frame and how it is found in a receive
// block. Pure byte handling: nothing here touches a port or a window.
//
// Frame layout (offsets from the frame's first byte):
//   byte 6 is the marker 0x48 ('H'); the ten bytes sum to 0 modulo 256;
//   bytes 0 and 9 carry no field. Each 8-bit field A..G travels split into
//   two 4-bit halves in different bytes (FrameLayout::Split), except that
//   the English edition reads the waveform header with whole bytes
//   (FrameLayout::WholeByte: A=b1, B=b2, C=b4, D=b8, E=b3, F=b5, G=b7).
//
// Meaning of the fields:
//   field  blood-pressure record        waveform header
//   A      systolic, mmHg               QRS duration, 1/100 s
//   B      diastolic, mmHg              ST level, 1/100 mV
//   C      pulse, beats per minute      heart rate, beats per minute
//   D      month                        month
//   E      day of month                 day of month
//   F      hour                         hour
//   G      minute                       minute
#include <QByteArray>
#include <QtGlobal>

namespace Frame {
inline constexpr int kLength = 10;
inline constexpr int kMarkerOffset = 6;
inline constexpr quint8 kMarker = 0x48;
// A frame is looked for at offsets 0..kLastOffset of a block only.
inline constexpr int kLastOffset = 60;
// The end marker "UwUwUw" is tested kEndMarkerDistance bytes after each
// scanned offset.
inline constexpr int kEndMarkerDistance = 12;
inline constexpr char kEndMarker[] = "\x55\x77\x55\x77\x55\x77";
inline constexpr int kEndMarkerLength = 6;
// The scan reads no byte beyond this offset, so every block of at least
// kBlockMinimum bytes is long enough.
inline constexpr int kLastByteRead = kLastOffset + kEndMarkerDistance + kEndMarkerLength - 1;
inline constexpr int kBlockMinimum = 80;
} // namespace Frame

enum class FrameLayout {
    Split,     // blood-pressure records; the German edition's waveform header
    WholeByte, // the English edition's waveform header
};

// The seven fields A..G of a frame (see the table above).
struct FrameFields {
    quint8 a = 0;
    quint8 b = 0;
    quint8 c = 0;
    quint8 d = 0;
    quint8 e = 0;
    quint8 f = 0;
    quint8 g = 0;

    friend bool operator==(const FrameFields&, const FrameFields&) = default;
};

// What ScanBlock found in one block.
struct ScanResult {
    bool found = false;  // a valid frame starts at one of the offsets 0..60
    int offset = -1;     // the first such offset; -1 when none was found
    bool marker = false; // the end marker was seen before the scan stopped

    friend bool operator==(const ScanResult&, const ScanResult&) = default;
};

// True when a valid frame starts at offset s: byte s+6 is the marker and the
// ten bytes s..s+9 sum to 0 modulo 256. False when the block is too short.
bool frameStartsAt(const QByteArray& block, int s);

// Scans offsets 0..60 for the first valid frame, and for the end marker 12
// bytes ahead of each offset; stops as soon as both have been seen. Only
// the first frame of a block counts. Bytes beyond the block's end (a block
// shorter than 78 bytes) count as neither frame nor marker.
ScanResult ScanBlock(const QByteArray& block);

// The seven fields of the frame at `offset`. Values are not checked here.
// A frame that does not fit in the block (a caller's mistake) decodes as
// all zero rather than reading outside the block.
FrameFields DecodeFrame(const QByteArray& block, int offset, FrameLayout layout);
