#include "print/ReportPieces.h"

#include "data/RecordingDetails.h"
#include "print/ReportLayout.h"
#include "text/MessageCatalogue.h"

#include <QPainter>
#include <QStringList>

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

namespace {

int ageOn(const QDate& birth, const QDate& day)
{
    int age = day.year() - birth.year();
    if (day.month() < birth.month() || (day.month() == birth.month() && day.day() < birth.day()))
        --age;
    return age;
}

} // namespace

QString patientLine(const RecordingDetails& d, const QDate& day)
{
    QStringList who;
    if (!d.surname.isEmpty() || !d.firstName.isEmpty())
        who << catText("report.lblPatient").arg(patientNameText(d));
    if (!d.patientNumber.isEmpty())
        who << catText("report.lblNumber").arg(d.patientNumber);
    if (d.birthDate.isValid())
        who << catText("report.lblBorn").arg(detailsDateText(d.birthDate)).arg(ageOn(d.birthDate, day));
    if (d.sex != PatientSex::Unknown)
        who << sexText(d.sex);
    return who.join(QStringLiteral("   "));
}

} // namespace ReportPieces
