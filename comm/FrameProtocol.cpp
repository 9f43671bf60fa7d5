#include "comm/FrameProtocol.h"

#include <cstring>

namespace {

quint8 byteAt(const QByteArray& block, int i)
{
    return static_cast<quint8>(block[i]);
}

bool endMarkerAt(const QByteArray& block, int i)
{
    if (i < 0 || i + Frame::kEndMarkerLength > block.size())
        return false;
    return std::memcmp(block.constData() + i, Frame::kEndMarker, Frame::kEndMarkerLength) == 0;
}

quint8 halves(quint8 highFrom, quint8 lowFrom)
{
    return static_cast<quint8>((highFrom & 0xF0) | (lowFrom & 0x0F));
}

} // namespace

bool frameStartsAt(const QByteArray& block, int s)
{
    if (s < 0 || s + Frame::kLength > block.size())
        return false;
    if (byteAt(block, s + Frame::kMarkerOffset) != Frame::kMarker)
        return false;
    unsigned sum = 0;
    for (int i = s; i < s + Frame::kLength; ++i)
        sum += byteAt(block, i);
    return (sum & 0xFF) == 0;
}

ScanResult ScanBlock(const QByteArray& block)
{
    ScanResult result;
    for (int s = 0; s <= Frame::kLastOffset; ++s) {
        if (!result.found && frameStartsAt(block, s)) {
            result.found = true;
            result.offset = s;
        }
        if (!result.marker && endMarkerAt(block, s + Frame::kEndMarkerDistance))
            result.marker = true;
        if (result.found && result.marker)
            break;
    }
    return result;
}

FrameFields DecodeFrame(const QByteArray& block, int offset, FrameLayout layout)
{
    FrameFields f;
    if (offset < 0 || offset + Frame::kLength > block.size())
        return f;
    const auto b = [&](int i) { return byteAt(block, offset + i); };
    if (layout == FrameLayout::WholeByte) {
        f.a = b(1);
        f.b = b(2);
        f.c = b(4);
        f.d = b(8);
        f.e = b(3);
        f.f = b(5);
        f.g = b(7);
        return f;
    }
    f.a = halves(b(1), b(8));
    f.b = halves(b(2), b(1));
    f.c = halves(b(4), b(3));
    f.d = halves(b(8), b(7));
    f.e = halves(b(3), b(2));
    f.f = halves(b(5), b(4));
    f.g = halves(b(7), b(5));
    return f;
}
