#include "print/ReportLayout.h"

#include "text/Edition.h"
#include "text/MessageCatalogue.h"

namespace ReportDesign {

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;

} // namespace

QFont arial(double points, bool bold, bool italic)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    // Laid out in twips: a size in points is twenty units.
    font.setPixelSize(qRound(points * 20));
    font.setBold(bold);
    font.setItalic(italic);
    // Outlines without hinting keep the design widths at every zoom.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

ReportLayout withRecordingLine(ReportLayout layout, const QString& headline)
{
    // Below the footer's rule, where the report has room on every page.
    if (!headline.isEmpty())
        layout.pageFooter.labels.push_back(
            {"lblRecording", headline, QRect(0, 60, kBodyWidth, 240), Qt::AlignLeft | Qt::AlignTop, arial(8, false, false)});
    return layout;
}

ReportLayout dataReport1()
{
    const Edition& edition = Edition::current();
    // The German Date and Time captions are wider.
    const int dateTimeCaptionWidth = edition.isGerman() ? 720 : 570;
    const QFont caption = arial(9, true, true);
    const QFont value = arial(9.75, true, false);

    ReportLayout layout;
    layout.bodyWidth = kBodyWidth;

    layout.reportHeader = {"Section4", 690,
                           {{"Label9", catText("DataReport1.Label9"), QRect(3402, 0, 2265, 360), kCentre,
                             arial(14.25, true, true)}},
                           {},
                           {{"Line1", 567, 8504}}};

    layout.pageHeader = {"Section2", 645,
                         {
                             {"Label1", catText("DataReport1.Label1"), QRect(0, 0, 570, 240), kLeft, caption},
                             {"Label2", catText("DataReport1.Label2"), QRect(720, 0, dateTimeCaptionWidth, 240),
                              kLeft, caption},
                             {"Label3", catText("DataReport1.Label3"), QRect(1872, 0, dateTimeCaptionWidth, 240),
                              kLeft, caption},
                             {"Label4", catText("DataReport1.Label4"), QRect(3456, 0, 1125, 240), kLeft, caption},
                             {"Label5", catText("DataReport1.Label5"), QRect(4752, 0, 1140, 240), kLeft, caption},
                             {"Label6", catText("DataReport1.Label6"), QRect(6048, 0, 1140, 240), kLeft, caption},
                             {"Label7", catText("DataReport1.Label7"), QRect(7344, 0, 1140, 240), kLeft, caption},
                         },
                         {},
                         {{"Line2", 567, 8505}}};

    layout.detail = {"Section1", 390, {},
                     {
                         {"txtID", edition.colId(), QRect(0, 0, 576, 240), kLeft, value},
                         {"txtDate", edition.colDate(), QRect(720, 0, 1020, 240), kLeft, value},
                         {"txtTime", edition.colTime(), QRect(1872, 0, 1485, 240), kLeft, value},
                         {"txtSYS_mmHg", QStringLiteral("SYS_mmHg"), QRect(3456, 0, 1125, 240), kCentre, value},
                         {"txtDIA_mmHg", QStringLiteral("DIA_mmHg"), QRect(4752, 0, 1140, 240), kCentre, value},
                         {"txtMAP_mmHg", QStringLiteral("MAP_mmHg"), QRect(6048, 0, 1125, 240), kCentre, value},
                         {"txtPulse_min", edition.colPulse(), QRect(7344, 0, 1140, 240), kCentre, value},
                     },
                     {}};

    layout.pageFooter = {"Section3", 360, {}, {}, {{"Line3", 0, 8505}}};

    layout.reportFooter = {"Section5", 360,
                           {{"Label10", catText("DataReport1.Label10"), QRect(0, 0, 8504, 240), kCentre,
                             arial(9.75, true, true)}},
                           {},
                           {}};
    return layout;
}

} // namespace ReportDesign

QStringList ReportLayout::boundColumns() const
{
    QStringList columns;
    for (const ReportTextBox& box : detail.textBoxes)
        columns << box.column;
    return columns;
}
