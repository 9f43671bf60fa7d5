#pragma once
// The bursts a recorder sends for a whole recording: one burst per
// measurement, with faults put into chosen bursts and noise bursts mixed in.
#include "tools/recorder/BurstBuilder.h"

#include <QHash>
#include <QList>

struct BpBurstPlan {
    BurstShape shape;
    // What a real recorder may vary from burst to burst: a length drawn
    // from shape.length..longestBurst (0: every burst shape.length), and
    // the frame's offset drawn from 0..60 instead of shape.frameOffset.
    int longestBurst = 0;
    bool randomOffset = false;
    // Faults by burst number (1 = the first measurement's burst); allBursts
    // applies to every burst that has no fault of its own.
    QHash<int, BurstFault> faults;
    BurstFault allBursts = BurstFault::None;
    // Random bursts without a frame, put between measurement bursts.
    int noiseBursts = 0;
    int noiseLength = 40;
    quint32 seed = 1;
    // The end marker follows the frame of the last burst.
    bool endMarkerAfterLast = false;

    BurstFault faultOf(int burstNumber) const { return faults.value(burstNumber, allBursts); }
    QList<QByteArray> build(const QList<BpReading>& readings) const;
};
