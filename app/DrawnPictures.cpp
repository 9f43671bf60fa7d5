#include "app/DrawnPictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kIconSize = 24;

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 244);
const QColor kBlue(40, 90, 170);
const QColor kRed(190, 30, 40);
const QColor kGreen(30, 130, 60);
const QColor kYellow(230, 190, 60);

QPen inkPen(qreal width = 1.5, const QColor& color = kInk)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawPage(QPainter& p, const QRectF& r)
{
    QPainterPath page;
    page.moveTo(r.left(), r.top());
    page.lineTo(r.right() - 5, r.top());
    page.lineTo(r.right(), r.top() + 5);
    page.lineTo(r.right(), r.bottom());
    page.lineTo(r.left(), r.bottom());
    page.closeSubpath();
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawPath(page);
}

void drawPrinter(QPainter& p)
{
    p.setPen(inkPen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.setBrush(QColor(180, 180, 190));
    p.drawRoundedRect(QRectF(3, 9, 18, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 15, 10, 6));
    p.setPen(inkPen(1.0, kGreen));
    p.drawPoint(QPointF(18, 12));
}

void drawEcgTrace(QPainter& p, const QRectF& r, const QColor& color, qreal width)
{
    const qreal mid = r.center().y();
    const qreal w = r.width();
    QPainterPath trace;
    trace.moveTo(r.left(), mid);
    trace.lineTo(r.left() + w * 0.30, mid);
    trace.lineTo(r.left() + w * 0.38, mid - r.height() * 0.15);
    trace.lineTo(r.left() + w * 0.44, mid);
    trace.lineTo(r.left() + w * 0.50, mid - r.height() * 0.48);
    trace.lineTo(r.left() + w * 0.56, mid + r.height() * 0.40);
    trace.lineTo(r.left() + w * 0.62, mid);
    trace.lineTo(r.left() + w * 0.76, mid - r.height() * 0.12);
    trace.lineTo(r.left() + w * 0.84, mid);
    trace.lineTo(r.right(), mid);
    p.setPen(inkPen(width, color));
    p.setBrush(Qt::NoBrush);
    p.drawPath(trace);
}

void drawHeart(QPainter& p, const QRectF& r, const QColor& color)
{
    QPainterPath heart;
    const qreal x = r.left(), y = r.top(), w = r.width(), h = r.height();
    heart.moveTo(x + w / 2, y + h);
    heart.cubicTo(x - w * 0.1, y + h * 0.55, x + w * 0.05, y - h * 0.05, x + w / 2, y + h * 0.25);
    heart.cubicTo(x + w * 0.95, y - h * 0.05, x + w * 1.1, y + h * 0.55, x + w / 2, y + h);
    p.setPen(inkPen(1.0, color.darker(140)));
    p.setBrush(color);
    p.drawPath(heart);
}

void paintIcon(QPainter& p, const QString& key)
{
    if (key == QLatin1String("New")) {
        drawPage(p, QRectF(5, 2, 14, 20));
        p.setPen(inkPen(2.0, kYellow.darker(120)));
        p.drawLine(QPointF(15, 14), QPointF(15, 20));
        p.drawLine(QPointF(12, 17), QPointF(18, 17));
    } else if (key == QLatin1String("Open")) {
        p.setPen(inkPen());
        p.setBrush(kYellow);
        QPainterPath folder;
        folder.moveTo(2, 6);
        folder.lineTo(9, 6);
        folder.lineTo(11, 8);
        folder.lineTo(20, 8);
        folder.lineTo(20, 19);
        folder.lineTo(2, 19);
        folder.closeSubpath();
        p.drawPath(folder);
        p.setBrush(kYellow.lighter(125));
        QPolygonF flap({QPointF(5, 11), QPointF(22, 11), QPointF(20, 19), QPointF(2, 19)});
        p.drawPolygon(flap);
    } else if (key == QLatin1String("Save")) {
        p.setPen(inkPen());
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6, 3, 12, 7));
        p.setBrush(QColor(200, 200, 210));
        p.drawRect(QRectF(7, 14, 10, 7));
    } else if (key == QLatin1String("Print")) {
        drawPrinter(p);
    } else if (key == QLatin1String("PrintList")) {
        drawPrinter(p);
        p.setPen(inkPen(1.0));
        p.drawLine(QPointF(9, 17), QPointF(15, 17));
        p.drawLine(QPointF(9, 19), QPointF(15, 19));
    } else if (key == QLatin1String("Read")) {
        // A recorder with its cable.
        p.setPen(inkPen());
        p.setBrush(QColor(210, 215, 225));
        p.drawRoundedRect(QRectF(3, 3, 11, 16), 2, 2);
        p.setBrush(QColor(120, 200, 140));
        p.drawRect(QRectF(5, 5, 7, 5));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(8.5, 15), 1.8, 1.8);
        p.setPen(inkPen(1.5, kBlue));
        p.setBrush(Qt::NoBrush);
        QPainterPath cable;
        cable.moveTo(14, 11);
        cable.cubicTo(19, 11, 17, 20, 22, 20);
        p.drawPath(cable);
    } else if (key == QLatin1String("Table")) {
        p.setPen(inkPen());
        p.setBrush(kPaper);
        p.drawRect(QRectF(3, 4, 18, 16));
        p.setBrush(QColor(190, 205, 230));
        p.drawRect(QRectF(3, 4, 18, 4));
        p.setPen(inkPen(1.0));
        for (qreal y : {12.0, 16.0})
            p.drawLine(QPointF(3, y), QPointF(21, y));
        for (qreal x : {9.0, 15.0})
            p.drawLine(QPointF(x, 4), QPointF(x, 20));
    } else if (key == QLatin1String("Edit")) {
        drawPage(p, QRectF(3, 3, 13, 18));
        p.setPen(inkPen(1.0));
        p.setBrush(kYellow);
        QPolygonF pencil({QPointF(19, 5), QPointF(22, 8), QPointF(12, 18), QPointF(8, 19), QPointF(9, 15)});
        p.drawPolygon(pencil);
    } else if (key == QLatin1String("List")) {
        drawPage(p, QRectF(4, 2, 16, 20));
        p.setPen(inkPen(1.2));
        for (qreal y : {7.0, 10.5, 14.0, 17.5})
            p.drawLine(QPointF(7, y), QPointF(17, y));
    } else if (key == QLatin1String("Waveform")) {
        p.setPen(inkPen(1.0));
        p.drawLine(QPointF(3, 3), QPointF(3, 21));
        p.drawLine(QPointF(3, 21), QPointF(22, 21));
        p.setPen(inkPen(1.8, kRed));
        p.drawPolyline(QPolygonF({QPointF(4, 9), QPointF(8, 6), QPointF(12, 10), QPointF(16, 5), QPointF(21, 8)}));
        p.setPen(inkPen(1.8, kBlue));
        p.drawPolyline(QPolygonF({QPointF(4, 16), QPointF(8, 14), QPointF(12, 17), QPointF(16, 13), QPointF(21, 15)}));
    } else if (key == QLatin1String("Bar")) {
        p.setPen(inkPen(1.0));
        p.drawLine(QPointF(3, 21), QPointF(22, 21));
        const qreal tops[] = {9, 5, 12, 7};
        const qreal bottoms[] = {16, 13, 18, 14};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i % 2 ? kBlue : kRed);
            p.drawRect(QRectF(4 + i * 4.5, tops[i], 3, bottoms[i] - tops[i]));
        }
    } else if (key == QLatin1String("Statistic")) {
        p.setPen(inkPen());
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setBrush(kBlue);
        p.drawPie(QRectF(3, 3, 18, 18), 90 * 16, 120 * 16);
        p.setBrush(kRed);
        p.drawPie(QRectF(3, 3, 18, 18), 210 * 16, 70 * 16);
    } else if (key == QLatin1String("Help")) {
        p.setPen(inkPen());
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setPen(inkPen(2.2, Qt::white));
        p.setBrush(Qt::NoBrush);
        QPainterPath hook;
        hook.moveTo(9, 9.5);
        hook.cubicTo(9, 5.5, 15.5, 5.5, 15, 9.5);
        hook.cubicTo(14.7, 11.5, 12, 11.5, 12, 14);
        p.drawPath(hook);
        p.drawPoint(QPointF(12, 17.5));
    } else if (key == QLatin1String("Exit")) {
        p.setPen(inkPen());
        p.setBrush(QColor(160, 110, 70));
        p.drawRect(QRectF(4, 3, 11, 18));
        p.setPen(inkPen(2.0, kRed));
        p.drawLine(QPointF(11, 12), QPointF(21, 12));
        p.drawLine(QPointF(18, 9), QPointF(21, 12));
        p.drawLine(QPointF(18, 15), QPointF(21, 12));
    } else if (key == QLatin1String("ECG")) {
        p.setPen(inkPen(1.0));
        p.setBrush(QColor(230, 245, 230));
        p.drawRect(QRectF(2, 4, 20, 16));
        drawEcgTrace(p, QRectF(3, 6, 18, 12), kGreen.darker(120), 1.5);
    } else {
        p.setPen(inkPen());
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4, 4, 16, 16));
    }
}

} // namespace

namespace DrawnPictures {

QIcon toolbarIcon(const QString& key)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paintIcon(p, key);
    p.end();
    return QIcon(pixmap);
}

QPixmap splashPicture()
{
    QPixmap pixmap(180, 150);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A recorder's screen with a heart and a trace on it.
    p.setPen(inkPen(2.0));
    p.setBrush(QColor(215, 220, 230));
    p.drawRoundedRect(QRectF(6, 6, 168, 138), 14, 14);
    p.setBrush(QColor(20, 40, 35));
    p.drawRoundedRect(QRectF(18, 18, 144, 92), 6, 6);
    p.setPen(QPen(QColor(40, 90, 70), 1));
    for (int x = 30; x < 160; x += 12)
        p.drawLine(QPointF(x, 20), QPointF(x, 108));
    for (int y = 30; y < 108; y += 12)
        p.drawLine(QPointF(20, y), QPointF(160, y));
    drawEcgTrace(p, QRectF(22, 40, 136, 60), QColor(110, 240, 140), 2.2);
    drawHeart(p, QRectF(124, 24, 26, 22), kRed);
    // Buttons under the screen.
    p.setPen(inkPen(1.2));
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(60, 127), 8, 8);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(90, 127), 8, 8);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(120, 127), 8, 8);
    return pixmap;
}

QPixmap loginPicture()
{
    QPixmap pixmap(72, 72);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // A padlock with a heart on its body.
    p.setPen(inkPen(5.0, QColor(120, 125, 135)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(20, 6, 32, 36), 0, 180 * 16);
    p.drawLine(QPointF(20, 24), QPointF(20, 34));
    p.drawLine(QPointF(52, 24), QPointF(52, 34));
    p.setPen(inkPen(1.5));
    p.setBrush(kYellow);
    p.drawRoundedRect(QRectF(12, 32, 48, 36), 5, 5);
    drawHeart(p, QRectF(27, 40, 18, 16), kRed);
    return pixmap;
}

QIcon navigationIcon(NavigationArrow arrow)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn pointing right; the backward arrows are mirrored.
    const bool backward = arrow == NavigationArrow::First || arrow == NavigationArrow::Previous;
    if (backward) {
        p.translate(kIconSize, 0);
        p.scale(-1, 1);
    }
    p.setPen(inkPen(1.0, kBlue.darker(130)));
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({QPointF(7, 5), QPointF(17, 12), QPointF(7, 19)}));
    if (arrow == NavigationArrow::First || arrow == NavigationArrow::Last)
        p.drawRect(QRectF(18, 5, 2.5, 14));
    p.end();
    return QIcon(pixmap);
}

} // namespace DrawnPictures
