#include "tools/recorder/BpBurstPlan.h"

#include "comm/FrameProtocol.h"

QList<QByteArray> BpBurstPlan::build(const QList<BpReading>& readings) const
{
    QRandomGenerator random(seed);
    // Where the noise goes: before burst i for each drawn i (0..n, n = after
    // the last).
    QList<int> noiseBefore;
    for (int i = 0; i < noiseBursts; ++i)
        noiseBefore.append(int(random.bounded(quint32(readings.size() + 1))));

    QList<QByteArray> bursts;
    for (int i = 0; i <= readings.size(); ++i) {
        for (int at : noiseBefore) {
            if (at == i)
                bursts.append(buildNoiseBurst(random, noiseLength));
        }
        if (i == readings.size())
            break;
        BurstShape burstShape = shape;
        if (longestBurst > shape.length)
            burstShape.length = shape.length + int(random.bounded(quint32(longestBurst - shape.length + 1)));
        if (randomOffset)
            burstShape.frameOffset = int(random.bounded(quint32(Frame::kLastOffset + 1)));
        burstShape.endMarker = shape.endMarker || (endMarkerAfterLast && i == readings.size() - 1);
        const BpReading& next = i + 1 < readings.size() ? readings[i + 1] : readings[i];
        bursts.append(buildBurst(readings[i], burstShape, faultOf(i + 1), next));
    }
    return bursts;
}
