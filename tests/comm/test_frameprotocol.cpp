#include "comm/FrameProtocol.h"
#include "tools/recorder/RecorderFrames.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// The worked example, byte by byte as the recorder sends it: 120/80, pulse
// 72, 7 March, 14:05.
QByteArray exampleFrame()
{
    const quint8 b[10] = {0x00, 0x70, 0x57, 0x08, 0x4E, 0x05, 0x48, 0x03, 0x08, 0x8B};
    return QByteArray(reinterpret_cast<const char*>(b), 10);
}

QByteArray blockWith(int size, const QList<std::pair<int, QByteArray>>& parts)
{
    QByteArray block(size, '\0');
    for (const auto& [at, bytes] : parts)
        block.replace(at, bytes.size(), bytes);
    return block;
}

const QByteArray kMarker("UwUwUw");

} // namespace

class TestFrameProtocol : public QObject {
    Q_OBJECT
private slots:
    void workedExampleDecodesInBothLayouts()
    {
        const QByteArray block = blockWith(80, {{0, exampleFrame()}});
        QVERIFY(frameStartsAt(block, 0));
        QCOMPARE(ScanBlock(block), (ScanResult{true, 0, false}));

        const FrameFields split = DecodeFrame(block, 0, FrameLayout::Split);
        QCOMPARE(split, (FrameFields{120, 80, 72, 3, 7, 14, 5}));

        const FrameFields whole = DecodeFrame(block, 0, FrameLayout::WholeByte);
        QCOMPARE(whole, (FrameFields{0x70, 0x57, 0x4E, 0x08, 0x08, 0x05, 0x03}));
    }

    void frameTestNeedsMarkerAndZeroSum()
    {
        QByteArray oneOff = exampleFrame();
        oneOff[9] = char(0x8A); // the ten bytes now sum to 0x1FF
        QVERIFY(!frameStartsAt(oneOff, 0));
        QVERIFY(!ScanBlock(blockWith(80, {{7, oneOff}})).found);

        QByteArray noMarker = exampleFrame();
        noMarker[6] = char(0x47);
        noMarker[9] = char(0x8C); // sum still 0 modulo 256
        QVERIFY(!frameStartsAt(noMarker, 0));

        // A frame that does not fit is no frame, and nothing is read past the end.
        QVERIFY(!frameStartsAt(exampleFrame().left(9), 0));
        QVERIFY(frameStartsAt(exampleFrame(), 0));
        QVERIFY(!frameStartsAt(exampleFrame(), 1));
        QVERIFY(!frameStartsAt(exampleFrame(), -1));
    }

    void zerosHoldNeitherFrameNorMarker()
    {
        QCOMPARE(ScanBlock(QByteArray(80, '\0')), (ScanResult{false, -1, false}));
    }

    void onlyTheFirstFrameCounts()
    {
        const FrameFields second{130, 85, 66, 4, 9, 8, 30};
        const QByteArray block = blockWith(
            96, {{0, exampleFrame()}, {20, EncodeFrame(second, FrameLayout::Split)}});
        QVERIFY(frameStartsAt(block, 20));
        QCOMPARE(ScanBlock(block).offset, 0);
    }

    void framesAreLookedForAtOffsetsUpToSixty()
    {
        QCOMPARE(ScanBlock(blockWith(80, {{60, exampleFrame()}})), (ScanResult{true, 60, false}));
        QCOMPARE(ScanBlock(blockWith(96, {{61, exampleFrame()}})).found, false);
        QCOMPARE(ScanBlock(blockWith(200, {{100, exampleFrame()}})).found, false);
    }

    void markerBeforeAFrameDoesNotEndTheSearch()
    {
        const QByteArray block = blockWith(80, {{12, kMarker}, {30, exampleFrame()}});
        QCOMPARE(ScanBlock(block), (ScanResult{true, 30, true}));
        QCOMPARE(DecodeFrame(block, 30, FrameLayout::Split), (FrameFields{120, 80, 72, 3, 7, 14, 5}));
    }

    void markerIsSeenTwelveBytesAheadOfEveryOffset()
    {
        // The last place it can be seen: offset 60 looks at bytes 72..77.
        QCOMPARE(ScanBlock(blockWith(80, {{72, kMarker}})), (ScanResult{false, -1, true}));
        QCOMPARE(ScanBlock(blockWith(80, {{73, kMarker}})).marker, false);
        // Bytes 0..11 are never tested for it.
        QCOMPARE(ScanBlock(blockWith(80, {{11, kMarker}})).marker, false);
        // A frame after the marker is still found, and a marker does not
        // change which frame is found.
        QCOMPARE(ScanBlock(blockWith(80, {{5, exampleFrame()}, {20, kMarker}})),
                 (ScanResult{true, 5, true}));
    }

    void nothingBeyondOffsetSeventySevenIsRead()
    {
        // Whatever follows byte 77 cannot change the result.
        QRandomGenerator random(7);
        for (int i = 0; i < 2000; ++i) {
            QByteArray block(80 + int(random.bounded(60)), '\0');
            for (char& c : block)
                c = char(random.bounded(4) == 0 ? 0x48 : random.bounded(256));
            if (i % 3 == 0)
                block.replace(int(random.bounded(70)), 10,
                              EncodeFrame(FrameFields{quint8(i), 1, 2, 3, 4, 5, 6}, FrameLayout::Split));
            if (i % 5 == 0)
                block.replace(int(random.bounded(74)), 6, kMarker);
            QCOMPARE(ScanBlock(block), ScanBlock(block.left(Frame::kLastByteRead + 1)));
        }
        QCOMPARE(Frame::kLastByteRead, 77);
    }

    void shortBlocksAreScannedWithoutReadingPastTheirEnd()
    {
        const QByteArray frame = exampleFrame();
        QCOMPARE(ScanBlock(frame), (ScanResult{true, 0, false}));
        QCOMPARE(ScanBlock(frame.left(9)).found, false);
        QCOMPARE(ScanBlock(QByteArray()), (ScanResult{false, -1, false}));
        QCOMPARE(DecodeFrame(frame, 1, FrameLayout::Split), FrameFields{});
        QCOMPARE(DecodeFrame(frame, -1, FrameLayout::WholeByte), FrameFields{});
    }

    void valueTwoFiftyFiveSurvivesBothHalves()
    {
        quint8 b[10] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x48, 0xFF, 0xFF, 0x00};
        unsigned sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += b[i];
        b[9] = quint8(-sum);
        const QByteArray block = blockWith(80, {{3, QByteArray(reinterpret_cast<char*>(b), 10)}});
        QCOMPARE(ScanBlock(block).offset, 3);
        QCOMPARE(DecodeFrame(block, 3, FrameLayout::Split), (FrameFields{255, 255, 255, 255, 255, 255, 255}));
    }

    // The simulator's encoder is the inverse of the decoder in both layouts,
    // and reproduces the worked example byte for byte.
    void encoderMatchesTheDecoder()
    {
        QCOMPARE(EncodeFrame(FrameFields{120, 80, 72, 3, 7, 14, 5}, FrameLayout::Split), exampleFrame());
        QRandomGenerator random(11);
        for (int i = 0; i < 5000; ++i) {
            FrameFields f;
            for (quint8* v : {&f.a, &f.b, &f.c, &f.d, &f.e, &f.f, &f.g})
                *v = quint8(random.bounded(256));
            const auto layout = i % 2 ? FrameLayout::Split : FrameLayout::WholeByte;
            const QByteArray frame = EncodeFrame(f, layout, quint8(random.bounded(256)));
            QVERIFY(frameStartsAt(frame, 0));
            QCOMPARE(DecodeFrame(frame, 0, layout), f);
        }
    }
};

QTEST_GUILESS_MAIN(TestFrameProtocol)
#include "test_frameprotocol.moc"
