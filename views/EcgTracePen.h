#pragma once
// Where the waveform window draws the next sample, in twips of the drawing
// area: each sample is a line from the previous point to (x, y), and x
// moves on 10 twips. Larger samples lie higher, 15 twips a unit:
//   with the scale strip (German edition): y = height * 7/8 - 15 * sample - 500,
//     and lines start 500 twips in, right of the strip;
//   without it (English edition):          y = height * 5/8 - 15 * sample,
//     and lines start at the left edge.
// y is rounded to whole twips, halves to the even neighbour. Past the right
// edge the area is cleared and x starts over; the previous y stays, so the
// first line after a wrap starts at the left at the last height.
#include <QColor>
#include <QtGlobal>

class EcgTraceArea;

class EcgTracePen {
public:
    static constexpr int kStepTwips = 10;
    static constexpr int kTwipsPerUnit = 15;
    static constexpr int kStripStartTwips = 500;
    static constexpr int kStripLiftTwips = 500;
    static inline const QColor kColour{255, 255, 0};

    EcgTracePen(EcgTraceArea& area, bool withScaleStrip);

    // Sampling starts: x at the start, previous y at half the height.
    void start();
    void draw(quint8 sample);
    int sampleY(quint8 sample) const;

    int x() const { return m_x; }
    int previousX() const { return m_previousX; }
    int previousY() const { return m_previousY; }
    int startX() const { return m_startX; }

private:
    EcgTraceArea& m_area;
    int m_startX;
    int m_heightEighths; // of the height, where sample 0 lies
    int m_lift;
    int m_x = 0;
    int m_previousX = 0;
    int m_previousY = 0;
};
