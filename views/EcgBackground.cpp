#include "views/EcgBackground.h"

#include "views/Twips.h"

#include <QFont>
#include <QPainter>

#include <cmath>

namespace EcgBackground {

int lineY(int line)
{
    return int(std::lround(double(line) * kHeightPixels / kRows));
}

double lineMillivolts(int line)
{
    return 2.0 - 0.5 * line;
}

namespace {

void drawGrid(QPainter& p, int width)
{
    p.fillRect(0, 0, width, kHeightPixels, kField);
    p.setPen(QPen(kRule, 1));
    for (int line = 1; line < kRows; ++line)
        p.drawLine(0, lineY(line), width - 1, lineY(line));
    for (int column = 1;; ++column) {
        const int x = twipsToPixels(column * kColumnTwips);
        if (x >= width)
            break;
        p.drawLine(x, 0, x, kHeightPixels - 1);
    }
    p.drawRect(0, 0, width - 1, kHeightPixels - 1);
}

// "+2.0", "1.5", ... "0", ... "-1.5": the way a scale on paper reads.
QString scaleNumber(double millivolts)
{
    if (millivolts == 0)
        return QStringLiteral("0");
    const QString number = QString::number(millivolts, 'f', 1);
    return millivolts >= 2.0 ? QLatin1Char('+') + number : number;
}

void drawStrip(QPainter& p, const QString& unit)
{
    const int width = twipsToPixels(kStripTwips) - 2;
    p.fillRect(0, 0, width, kHeightPixels, kStrip);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    p.setFont(font);
    p.setPen(Qt::black);
    for (int line = 0; line < kRows; ++line) {
        const int y = lineY(line);
        p.drawLine(width - 4, y, width - 1, y);
        // The top number hangs from the edge; the others sit on their line.
        const QRect box = line == 0 ? QRect(1, 1, width - 5, 11) : QRect(1, y - 6, width - 5, 12);
        p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, scaleNumber(lineMillivolts(line)));
    }
    p.drawText(QRect(1, lineY(kRows - 1) + 8, width - 5, 12), Qt::AlignRight | Qt::AlignVCenter, unit);
}

} // namespace

QImage picture(bool withScaleStrip, const QString& unit)
{
    const int width = withScaleStrip ? kWidthWithStripPixels : kWidthPixels;
    QImage image(width, kHeightPixels, QImage::Format_RGB32);
    QPainter p(&image);
    drawGrid(p, width);
    if (withScaleStrip)
        drawStrip(p, unit);
    return image;
}

} // namespace EcgBackground
