#pragma once
// The fixed background picture of the waveform window's drawing area,
// drawn at run time: a dark blue field ruled into squares of about 640
// twips (8 rows) by brighter blue lines. The picture with the scale strip
// (German edition, 725 x 341 pixels) carries a yellow strip at its left
// edge with the millivolt scale: +2.0 at the top edge, 0.5 less at each
// grid line below, so 0 mV is the fourth line, -1.5 the lowest, and the
// unit under it. Without the strip it is 768 x 341 pixels and the window
// shows the scale beside it.
#include <QColor>
#include <QImage>
#include <QString>

namespace EcgBackground {

inline constexpr int kHeightPixels = 341;
inline constexpr int kWidthPixels = 768;
inline constexpr int kWidthWithStripPixels = 725;
inline constexpr int kRows = 8;
inline constexpr int kColumnTwips = 640;
// Left of this many twips the strip with the scale lies.
inline constexpr int kStripTwips = 500;
inline const QColor kField{0, 0, 127};
inline const QColor kRule{0, 0, 239};
inline const QColor kStrip{255, 255, 0};

// The height in pixels of grid line `line` (0 the top edge, kRows the
// bottom edge).
int lineY(int line);
// The scale's value at grid line 0..7: 2.0, 1.5, ... -1.5.
double lineMillivolts(int line);

// `unit` is the text under the strip's scale.
QImage picture(bool withScaleStrip, const QString& unit);

} // namespace EcgBackground
