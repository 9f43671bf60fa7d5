#include "tools/recorder/RecorderFrames.h"

FrameFields BpReading::toFields() const
{
    return FrameFields{systolic, diastolic, pulse, month, day, hour, minute};
}

BpReading BpReading::fromFields(const FrameFields& f)
{
    return BpReading{f.a, f.b, f.c, f.d, f.e, f.f, f.g};
}

FrameFields EcgHeader::toFields() const
{
    return FrameFields{qrs, st, heartRate, month, day, hour, minute};
}

namespace {

quint8 join(quint8 high, quint8 low)
{
    return static_cast<quint8>((high & 0xF0) | (low & 0x0F));
}

} // namespace

QByteArray EncodeFrame(const FrameFields& v, FrameLayout layout, quint8 firstByte)
{
    quint8 b[Frame::kLength] = {};
    b[0] = firstByte;
    b[Frame::kMarkerOffset] = Frame::kMarker;
    if (layout == FrameLayout::WholeByte) {
        b[1] = v.a;
        b[2] = v.b;
        b[3] = v.e;
        b[4] = v.c;
        b[5] = v.f;
        b[7] = v.g;
        b[8] = v.d;
    } else {
        // Each field's high half travels first, its low half in the byte
        // named in the frame table.
        b[1] = join(v.a, v.b);
        b[2] = join(v.b, v.e);
        b[3] = join(v.e, v.c);
        b[4] = join(v.c, v.f);
        b[5] = join(v.f, v.g);
        b[7] = join(v.g, v.d);
        b[8] = join(v.d, v.a);
    }
    unsigned sum = 0;
    for (int i = 0; i < Frame::kLength - 1; ++i)
        sum += b[i];
    b[9] = static_cast<quint8>(-sum & 0xFF);
    return QByteArray(reinterpret_cast<const char*>(b), Frame::kLength);
}
