#include "print/ReportPieces.h"

#include "data/RecordingDetails.h"
#include "print/ReportLayout.h"

#include <QPainter>

namespace ReportPieces {

QFont bodyFont(bool bold)
{
    return ReportDesign::arial(8.5, bold, false);
}

QPen pen(double width, Qt::PenStyle style)
{
    return QPen(Qt::black, width, style, Qt::FlatCap, Qt::RoundJoin);
}

void line(QPainter& painter, double top, const QString& text, double width, Qt::Alignment align)
{
    painter.drawText(QRectF(0, top, width, kLine), align | Qt::AlignVCenter, text);
}

QString momentText(const QDateTime& moment)
{
    return detailsDateText(moment.date()) + QLatin1Char(' ') + detailsTimeText(moment.time());
}

int ageOn(const QDate& birth, const QDate& day)
{
    int age = day.year() - birth.year();
    if (day.month() < birth.month() || (day.month() == birth.month() && day.day() < birth.day()))
        --age;
    return age;
}

} // namespace ReportPieces
