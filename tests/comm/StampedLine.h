#pragma once
// A serial line drawn as the reader thread hands it on: recorder bursts,
// each a run of bytes at the line's rate, silences between them, and the
// pieces the reader reads, each stamped with the moment its last byte came.
// Bursts carry one frame tagged with a number (bytes 1 and 2 of the frame),
// so a test can tell which bursts gave their reading.
#include "comm/FrameProtocol.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

struct StampedPiece {
    QByteArray bytes;
    qint64 stamp;
};

// A burst of random filler with the frame tagged `tag` at `offset`; no
// other offset up to 60 holds a valid frame, and none before `offset`.
inline QByteArray frameBurst(QRandomGenerator& random, int tag, int length, int offset)
{
    for (;;) {
        QByteArray b(length, '\0');
        for (char& c : b)
            c = char(random.bounded(256));
        b[offset] = 0;
        b[offset + 1] = char(tag & 0xFF);
        b[offset + 2] = char(tag >> 8);
        b[offset + 6] = char(Frame::kMarker);
        int sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += quint8(b[offset + i]);
        b[offset + 9] = char((256 - sum % 256) % 256);
        bool alone = true;
        for (int s = 0; s <= Frame::kLastOffset && s + Frame::kLength <= length; ++s)
            alone = alone && (s == offset || !frameStartsAt(b, s));
        if (alone)
            return b;
    }
}

inline int tagOf(const QByteArray& block, int offset)
{
    return quint8(block[offset + 1]) | quint8(block[offset + 2]) << 8;
}

struct StampedLine {
    explicit StampedLine(int baud, quint32 seed = 1)
        : byteMs(10000.0 / baud)
        , random(seed)
    {
    }

    // Sends `burst` after `silenceMs` of silence, read in pieces of
    // minPiece..maxPiece bytes, each read up to `lagMs` after its last byte.
    void send(const QByteArray& burst, double silenceMs, int minPiece = 1, int maxPiece = 64,
              double lagMs = 0)
    {
        lineAt += silenceMs;
        for (qsizetype at = 0; at < burst.size();) {
            const qsizetype n = qMin<qsizetype>(burst.size() - at, minPiece + random.bounded(maxPiece - minPiece + 1));
            lineAt += double(n) * byteMs;
            const double lag = lagMs * random.generateDouble();
            pieces.append({burst.mid(at, n), qint64(lineAt + lag)});
            at += n;
        }
    }

    double byteMs;
    double lineAt = 1000;
    QRandomGenerator random;
    QList<StampedPiece> pieces;
};
