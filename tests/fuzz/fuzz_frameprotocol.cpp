// libFuzzer target: any bytes as a receive block. The scan must stay inside
// the block, find only real frames, and never depend on bytes past 77.
#include "comm/FrameProtocol.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray block(reinterpret_cast<const char*>(data), qsizetype(size));
    const ScanResult scan = ScanBlock(block);

    if (scan.found) {
        if (scan.offset < 0 || scan.offset > Frame::kLastOffset || !frameStartsAt(block, scan.offset))
            std::abort();
        for (int s = 0; s < scan.offset; ++s) {
            if (frameStartsAt(block, s))
                std::abort(); // not the first frame
        }
        const FrameFields split = DecodeFrame(block, scan.offset, FrameLayout::Split);
        const FrameFields whole = DecodeFrame(block, scan.offset, FrameLayout::WholeByte);
        // Both layouts read the same bytes: byte 4 is C whole, and C's high
        // half in the split layout.
        if ((split.c & 0xF0) != (whole.c & 0xF0))
            std::abort();
    } else if (scan.offset != -1) {
        std::abort();
    }
    if (!(ScanBlock(block.left(Frame::kLastByteRead + 1)) == scan))
        std::abort();

    // Decoding at any offset, also outside the block, stays inside it.
    if (size > 0) {
        const int offset = int(data[0]) - 8;
        DecodeFrame(block, offset, FrameLayout::Split);
        DecodeFrame(block, offset, FrameLayout::WholeByte);
    }
    return 0;
}
