#pragma once
// Window places are given in twips; the screen shows 15 twips per pixel.
#include <QRect>
#include <QtMath>

inline constexpr int kTwipsPerPixel = 15;

inline int twipsToPixels(int twips)
{
    return qRound(double(twips) / kTwipsPerPixel);
}

inline int pixelsToTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
