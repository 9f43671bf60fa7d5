#include "views/ListPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace ListPictures {

namespace {

constexpr int kSize = 20;

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    p.end();
    return QIcon(pixmap);
}

QPen pen(const QColor& color, qreal width = 1.6)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void printer(QPainter& p)
{
    p.setPen(pen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 2, 8, 6));                  // paper going in
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(2, 7, 16, 7), 1.5, 1.5); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 12, 10, 6));                 // paper coming out
    p.setPen(pen(Qt::darkGray, 1));
    p.drawLine(QPointF(7, 14.5), QPointF(13, 14.5));
    p.drawLine(QPointF(7, 16.5), QPointF(12, 16.5));
}

void trend(QPainter& p)
{
    p.setPen(pen(Qt::black, 1.2));
    p.drawLine(QPointF(2.5, 2), QPointF(2.5, 17.5));
    p.drawLine(QPointF(2.5, 17.5), QPointF(18, 17.5));
    p.setPen(pen(QColor(200, 30, 30)));
    const QPointF upper[] = {{4, 9}, {8, 5}, {11, 8}, {14, 4}, {17, 6}};
    p.drawPolyline(upper, 5);
    p.setPen(pen(QColor(30, 60, 200)));
    const QPointF lower[] = {{4, 14}, {8, 11}, {11, 13}, {14, 10}, {17, 12}};
    p.drawPolyline(lower, 5);
}

void bars(QPainter& p)
{
    p.setPen(pen(Qt::black, 1));
    const QColor colors[] = {QColor(200, 30, 30), QColor(30, 60, 200), QColor(30, 150, 60),
                             QColor(220, 160, 20)};
    const qreal heights[] = {11, 7, 14, 9};
    for (int i = 0; i < 4; ++i) {
        p.setBrush(colors[i]);
        p.drawRect(QRectF(2.5 + i * 4, 18 - heights[i], 3, heights[i]));
    }
}

void read(QPainter& p)
{
    // A recorder with an arrow coming out of it into the file.
    p.setPen(pen(Qt::black, 1.2));
    p.setBrush(QColor(230, 230, 200));
    p.drawRoundedRect(QRectF(2, 3, 8, 12), 1.5, 1.5);
    p.setBrush(QColor(40, 160, 60));
    p.drawEllipse(QPointF(6, 12), 1.5, 1.5);
    p.setPen(pen(QColor(30, 60, 200), 2));
    p.drawLine(QPointF(11, 9), QPointF(17, 9));
    p.drawLine(QPointF(14.5, 6.5), QPointF(17, 9));
    p.drawLine(QPointF(14.5, 11.5), QPointF(17, 9));
}

void pencil(QPainter& p)
{
    p.setPen(pen(Qt::black, 1));
    p.setBrush(QColor(240, 200, 60));
    QPainterPath body;
    body.moveTo(14, 2);
    body.lineTo(18, 6);
    body.lineTo(7, 17);
    body.lineTo(3, 13);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(240, 220, 180));
    QPainterPath tip;
    tip.moveTo(3, 13);
    tip.lineTo(7, 17);
    tip.lineTo(2, 18);
    tip.closeSubpath();
    p.drawPath(tip);
}

void plus(QPainter& p)
{
    p.setPen(pen(QColor(30, 140, 50), 3.2));
    p.drawLine(QPointF(10, 3), QPointF(10, 17));
    p.drawLine(QPointF(3, 10), QPointF(17, 10));
}

void cross(QPainter& p)
{
    p.setPen(pen(QColor(200, 30, 30), 3));
    p.drawLine(QPointF(4, 4), QPointF(16, 16));
    p.drawLine(QPointF(16, 4), QPointF(4, 16));
}

void bin(QPainter& p)
{
    p.setPen(pen(Qt::black, 1.2));
    p.setBrush(QColor(180, 180, 190));
    p.drawRect(QRectF(5, 6, 10, 12));
    p.drawLine(QPointF(3, 5), QPointF(17, 5));
    p.drawLine(QPointF(8, 5), QPointF(8.5, 3));
    p.drawLine(QPointF(8.5, 3), QPointF(11.5, 3));
    p.drawLine(QPointF(11.5, 3), QPointF(12, 5));
    p.setPen(pen(Qt::darkGray, 1));
    for (qreal x : {8.0, 10.0, 12.0})
        p.drawLine(QPointF(x, 8), QPointF(x, 16));
}

void check(QPainter& p)
{
    p.setPen(pen(QColor(30, 140, 50), 3));
    const QPointF mark[] = {{3, 10}, {8, 15}, {17, 4}};
    p.drawPolyline(mark, 3);
}

void refresh(QPainter& p)
{
    p.setPen(pen(QColor(30, 60, 200), 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(3.5, 3.5, 13, 13), 60 * 16, 290 * 16);
    p.setBrush(QColor(30, 60, 200));
    p.setPen(Qt::NoPen);
    QPainterPath head;
    head.moveTo(11, 1);
    head.lineTo(16, 4.5);
    head.lineTo(10.5, 7.5);
    head.closeSubpath();
    p.drawPath(head);
}

void door(QPainter& p)
{
    p.setPen(pen(Qt::black, 1.2));
    p.setBrush(QColor(170, 110, 60));
    p.drawRect(QRectF(3, 2, 9, 16));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(10, 10), 0.8, 0.8);
    p.setPen(pen(QColor(200, 30, 30), 2));
    p.drawLine(QPointF(12, 10), QPointF(18, 10));
    p.drawLine(QPointF(15.5, 7.5), QPointF(18, 10));
    p.drawLine(QPointF(15.5, 12.5), QPointF(18, 10));
}

// A clock face with the night half shaded: the day and night summary.
void dayAndNight(QPainter& p)
{
    const QRectF face(2.5, 2.5, 15, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 150));
    p.drawPie(face, 90 * 16, 180 * 16);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Qt::black, 1.2));
    p.drawEllipse(face);
    p.setPen(pen(QColor(200, 30, 30), 1.6));
    p.drawLine(QPointF(10, 10), QPointF(10, 5));
    p.drawLine(QPointF(10, 10), QPointF(14, 12));
}

// A head and shoulders on a card: the patient and the recording.
void patientCard(QPainter& p)
{
    p.setPen(pen(Qt::black, 1.2));
    p.setBrush(QColor(235, 235, 215));
    p.drawRect(QRectF(2.5, 3.5, 15, 13));
    p.setBrush(QColor(60, 90, 150));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(7.5, 8), 2.2, 2.2);
    p.drawChord(QRectF(3.5, 10.5, 8, 8), 0, 180 * 16);
    p.setPen(pen(Qt::black, 1.2));
    p.drawLine(QPointF(12, 7.5), QPointF(16, 7.5));
    p.drawLine(QPointF(12, 10.5), QPointF(16, 10.5));
    p.drawLine(QPointF(12, 13.5), QPointF(16, 13.5));
}

void frameOnly(QPainter& p)
{
    p.setPen(pen(Qt::darkGray, 1));
    p.drawRect(QRectF(2.5, 2.5, 15, 15));
}

// A triangle pointing left or right, with an optional bar at its tip.
void arrow(QPainter& p, bool right, bool bar)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    QPainterPath tri;
    if (right) {
        tri.moveTo(6, 4);
        tri.lineTo(13, 10);
        tri.lineTo(6, 16);
    } else {
        tri.moveTo(14, 4);
        tri.lineTo(7, 10);
        tri.lineTo(14, 16);
    }
    tri.closeSubpath();
    p.drawPath(tri);
    if (bar)
        p.drawRect(right ? QRectF(13.5, 4, 2, 12) : QRectF(4.5, 4, 2, 12));
}

} // namespace

QIcon commandIcon(const QString& controlName)
{
    if (controlName == QLatin1String("cmdPrint"))
        return drawn(printer);
    if (controlName == QLatin1String("cmdSort"))
        return drawn(trend);
    if (controlName == QLatin1String("cmdbar"))
        return drawn(bars);
    if (controlName == QLatin1String("cmdRead"))
        return drawn(read);
    if (controlName == QLatin1String("cmdEdit"))
        return drawn(pencil);
    if (controlName == QLatin1String("cmdAdd"))
        return drawn(plus);
    if (controlName == QLatin1String("cmdCancel"))
        return drawn(cross);
    if (controlName == QLatin1String("cmdDelete"))
        return drawn(bin);
    if (controlName == QLatin1String("cmdUpdate"))
        return drawn(check);
    if (controlName == QLatin1String("cmdRefresh"))
        return drawn(refresh);
    if (controlName == QLatin1String("cmdClose"))
        return drawn(door);
    if (controlName == QLatin1String("cmdAbpm"))
        return drawn(dayAndNight);
    if (controlName == QLatin1String("cmdDetails"))
        return drawn(patientCard);
    return drawn(frameOnly);
}

QIcon navigationIcon(const QString& controlName)
{
    if (controlName == QLatin1String("cmdFirst"))
        return drawn([](QPainter& p) { arrow(p, false, true); });
    if (controlName == QLatin1String("cmdPrevious"))
        return drawn([](QPainter& p) { arrow(p, false, false); });
    if (controlName == QLatin1String("cmdNext"))
        return drawn([](QPainter& p) { arrow(p, true, false); });
    if (controlName == QLatin1String("cmdLast"))
        return drawn([](QPainter& p) { arrow(p, true, true); });
    return drawn(frameOnly);
}

} // namespace ListPictures
