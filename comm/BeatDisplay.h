#pragma once

#include <QString>

// The two things the beat detector shows in the waveform window: the beat
// indicator picture and the live heart-rate text. The window implements this;
// tests record the calls.
class BeatDisplay {
public:
    virtual ~BeatDisplay() = default;

    virtual void setBeatIndicatorVisible(bool visible) = 0;
    virtual void setHeartRateText(const QString &text) = 0;
};
