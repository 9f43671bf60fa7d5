#include "print/RecordingsComparisonPage.h"

#include "data/AbpmSummaryWords.h"
#include "print/ReportLayout.h"
#include "print/ReportPageSetup.h"
#include "print/ReportPieces.h"
#include "text/MessageCatalogue.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace ReportPieces;

namespace {

constexpr double kRow = 215;
constexpr double kLabelWidth = 2100; // the row's group and its SYS/DIA
constexpr double kQuantityWidth = 400;
// The plot takes the room the page leaves, within these heights.
constexpr double kLeastPlotHeight = 3000;
constexpr double kMostPlotHeight = 5200;
constexpr double kAxisLeft = 600;
constexpr double kLegendSample = 500; // the piece of line that shows a recording's style
constexpr double kSysWidth = 30; // systolic lines bold, diastolic thin
constexpr double kDiaWidth = 14;

// What a row of the table shows: a figure, or one of the words.
enum class RowKind { Figure, Fit, SysDipClass, DiaDipClass, OfficePressure, OfficeClass };

struct Row {
    const char* group;    // printed on the group's first row
    const char* quantity; // SYS, DIA or none
    RowKind kind;
    ComparedFigure figure = ComparedFigure::ValidReadings;
    bool percent = false;
};

const Row kRows[] = {
    {"compare.rowValidReadings", nullptr, RowKind::Figure, ComparedFigure::ValidReadings},
    {"compare.rowValidShare", nullptr, RowKind::Figure, ComparedFigure::ValidShare, true},
    {"compare.rowFit", nullptr, RowKind::Fit},
    {"compare.rowMean24", "report.rowSys", RowKind::Figure, ComparedFigure::Sys24},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::Dia24},
    {"compare.rowMeanAwake", "report.rowSys", RowKind::Figure, ComparedFigure::SysAwake},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::DiaAwake},
    {"compare.rowMeanAsleep", "report.rowSys", RowKind::Figure, ComparedFigure::SysAsleep},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::DiaAsleep},
    {"compare.rowRatio", "report.rowSys", RowKind::Figure, ComparedFigure::SysRatio},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::DiaRatio},
    {"compare.rowDipClass", "report.rowSys", RowKind::SysDipClass},
    {nullptr, "report.rowDia", RowKind::DiaDipClass},
    {"compare.rowLoad24", "report.rowSys", RowKind::Figure, ComparedFigure::SysLoad24, true},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::DiaLoad24, true},
    {"compare.rowLoadAwake", "report.rowSys", RowKind::Figure, ComparedFigure::SysLoadAwake, true},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::DiaLoadAwake, true},
    {"compare.rowLoadAsleep", "report.rowSys", RowKind::Figure, ComparedFigure::SysLoadAsleep, true},
    {nullptr, "report.rowDia", RowKind::Figure, ComparedFigure::DiaLoadAsleep, true},
    {"compare.rowOffice", nullptr, RowKind::OfficePressure},
    {"compare.rowOfficeClass", nullptr, RowKind::OfficeClass},
};
constexpr int kRowCount = int(std::size(kRows));

bool isPercent(ComparedFigure figure)
{
    for (const Row& row : kRows)
        if (row.kind == RowKind::Figure && row.figure == figure)
            return row.percent;
    return false;
}

// The words of a row that is not a figure.
QString wordsOf(const ComparedRecording& r, RowKind kind)
{
    const AbpmSummary& s = r.figures.summary;
    const QString none = catText("abpm.none");
    switch (kind) {
    case RowKind::Fit:
        return catText(s.validForDiagnosis() ? "compare.yes" : "compare.no");
    case RowKind::SysDipClass:
        return s.sysDipping.dipClass ? abpmDipClassText(*s.sysDipping.dipClass) : none;
    case RowKind::DiaDipClass:
        return s.diaDipping.dipClass ? abpmDipClassText(*s.diaDipping.dipClass) : none;
    case RowKind::OfficePressure:
        return s.officeSys && s.officeDia ? QStringLiteral("%1/%2").arg(*s.officeSys).arg(*s.officeDia) : none;
    case RowKind::OfficeClass:
        return s.officeClass ? abpmOfficeClassText(*s.officeClass) : none;
    case RowKind::Figure:
        break;
    }
    return QString();
}

// The font, made smaller (down to 6 points, in twips) until the text fits the width.
QFont fitted(QFont font, const QString& text, double width)
{
    while (font.pixelSize() > 6 * 20 && QFontMetricsF(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 10);
    return font;
}

// The recording's name in the legend: its number and start day.
QString recordingName(int index, const ComparedRecording& r)
{
    return r.start.isValid() ? catText("compare.colRecordingOn").arg(index + 1).arg(detailsDateText(r.start.date()))
                             : catText("compare.colRecording").arg(index + 1);
}

} // namespace

RecordingsComparisonPage::RecordingsComparisonPage(const RecordingComparison& comparison, QDate printed,
                                                   const QPageLayout& page)
    : m_comparison(comparison)
    , m_printed(printed)
    , m_body(page.paintRect(QPageLayout::Point).size() * ReportPageSetup::kTwipsPerPoint)
{
}

Qt::PenStyle RecordingsComparisonPage::lineStyle(int recording)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
    return styles[size_t(recording) % std::size(styles)];
}

double RecordingsComparisonPage::headerHeight() const
{
    return kTitle + kLine + kGap;
}

double RecordingsComparisonPage::recordingsHeight() const
{
    const int lines = 1 + (m_comparison.samePatient ? 0 : 1) + int(m_comparison.recordings.size());
    return lines * kLine + kGap;
}

double RecordingsComparisonPage::tableHeight() const
{
    return (2 + kRowCount) * kRow + kGap;
}

std::vector<QPointF> RecordingsComparisonPage::legendPlaces() const
{
    // Left to right under the heading, on as many lines as the names need.
    const QFontMetricsF metrics(ReportDesign::arial(7, false, false));
    const double top = headerHeight() + recordingsHeight() + tableHeight() + kLine;
    std::vector<QPointF> places;
    double x = kAxisLeft, y = top + kLine / 2;
    for (size_t i = 0; i < m_comparison.recordings.size(); ++i) {
        const double width = kLegendSample + 60 + metrics.horizontalAdvance(recordingName(int(i), m_comparison.recordings[i]));
        if (x > kAxisLeft && x + width > m_body.width()) {
            x = kAxisLeft;
            y += kLine;
        }
        places.emplace_back(x, y);
        x += width + 300;
    }
    return places;
}

QRectF RecordingsComparisonPage::profilePlot() const
{
    const std::vector<QPointF> keys = legendPlaces();
    const double top = keys.empty() ? headerHeight() : keys.back().y() + kLine / 2;
    const double height = std::clamp(m_body.height() - top - 2 * kLine, kLeastPlotHeight, kMostPlotHeight);
    return QRectF(kAxisLeft, top, m_body.width() - kAxisLeft - 60, height);
}

double RecordingsComparisonPage::contentHeight() const
{
    return profilePlot().bottom() + 2 * kLine;
}

double RecordingsComparisonPage::scale() const
{
    return std::min(1.0, m_body.height() / contentHeight());
}

QString RecordingsComparisonPage::valueText(int recording, ComparedFigure figure) const
{
    const std::optional<double>& v = m_comparison.recordings[size_t(recording)].value(figure);
    if (!v)
        return catText("abpm.none");
    return abpmNumber(*v, comparedDecimals(figure)) + (isPercent(figure) ? QStringLiteral(" %") : QString());
}

QString RecordingsComparisonPage::changeText(int recording, ComparedFigure figure) const
{
    if (recording == 0)
        return QString();
    const std::optional<double>& c = m_comparison.recordings[size_t(recording)].change(figure);
    if (!c)
        return catText("abpm.none");
    return (*c > 0 ? QStringLiteral("+") : QString()) + abpmNumber(*c, comparedDecimals(figure));
}

double RecordingsComparisonPage::paintHeader(QPainter& p) const
{
    const double width = m_body.width();
    p.setFont(ReportDesign::arial(13, true, false));
    p.drawText(QRectF(0, 0, width, kTitle), Qt::AlignHCenter | Qt::AlignTop, catText("compare.title"));
    p.setFont(bodyFont());
    // All recordings are read with the thresholds in force, so one set is named.
    line(p, kTitle, abpmThresholdsUsed(m_comparison.newest().figures.summary.thresholds), width);
    line(p, kTitle, catText("report.lblPrinted").arg(detailsDateText(m_printed)), width, Qt::AlignRight);
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawLine(QPointF(0, kTitle + kLine + 30), QPointF(width, kTitle + kLine + 30));
    return headerHeight();
}

double RecordingsComparisonPage::paintRecordings(QPainter& p, double top) const
{
    const double width = m_body.width();
    const ComparedRecording& newest = m_comparison.newest();
    const RecordingDetails& d = newest.details;
    const QString who = patientLine(d, newest.start.isValid() ? newest.start.date() : m_printed);
    p.setFont(bodyFont(true));
    line(p, top, who.isEmpty() ? catText("compare.lblNoPatient") : who, width);
    top += kLine;
    if (!m_comparison.samePatient) {
        p.setFont(ReportDesign::arial(8.5, true, true));
        line(p, top, catText("compare.lblOtherPatients"), width);
        top += kLine;
    }
    p.setFont(bodyFont());
    const QFontMetricsF metrics(p.font());
    for (size_t i = 0; i < m_comparison.recordings.size(); ++i, top += kLine) {
        const ComparedRecording& r = m_comparison.recordings[i];
        const AbpmSummary& s = r.figures.summary;
        const QString span = s.first.isValid()
            ? catText("compare.lblSpan").arg(momentText(s.first), momentText(s.last))
            : catText("compare.lblNoSpan");
        const QString text = catText("compare.lblRecordingLine")
                                 .arg(catText("compare.colRecording").arg(i + 1), span)
                                 .arg(s.readings);
        line(p, top, text, width);
        // A long file name gives up its middle, never the figures before it.
        const double room = width - metrics.horizontalAdvance(text) - 300;
        line(p, top, metrics.elidedText(QFileInfo(r.dataFile).fileName(), Qt::ElideMiddle, std::max(0.0, room)), width,
             Qt::AlignRight);
    }
    return top + kGap;
}

double RecordingsComparisonPage::paintTable(QPainter& p, double top) const
{
    const double width = m_body.width();
    const int n = int(m_comparison.recordings.size());
    const double column = (width - kLabelWidth) / n;
    const double valueWidth = column * 0.52;
    const auto cell = [&](double left, double w, double y, const QString& text, Qt::Alignment align) {
        p.drawText(QRectF(left + 40, y, w - 80, kRow), align | Qt::AlignVCenter, text);
    };
    const auto left = [&](int r) { return kLabelWidth + r * column; };

    // Two heading rows: the recording, then its start day and "change".
    p.setFont(bodyFont(true));
    for (int r = 0; r < n; ++r) {
        const ComparedRecording& rec = m_comparison.recordings[size_t(r)];
        cell(left(r), column, top, catText("compare.colRecording").arg(r + 1), Qt::AlignHCenter);
        // The start day over the figures, "change" over the changes; smaller where narrow.
        const QString started = rec.start.isValid() ? detailsDateText(rec.start.date()) : QString();
        p.setFont(fitted(bodyFont(), started, valueWidth - 80));
        cell(left(r), valueWidth, top + kRow, started, Qt::AlignRight);
        p.setFont(fitted(bodyFont(), catText("compare.colChange"), column - valueWidth - 80));
        if (r > 0)
            cell(left(r) + valueWidth, column - valueWidth, top + kRow, catText("compare.colChange"), Qt::AlignRight);
        p.setFont(bodyFont(true));
    }
    p.setPen(pen(ReportDesign::kRuleTwips));
    double y = top + 2 * kRow;
    p.drawLine(QPointF(0, y), QPointF(width, y));
    for (int r = 1; r < n; ++r)
        p.drawLine(QPointF(left(r), top), QPointF(left(r), top + (2 + kRowCount) * kRow));

    for (const Row& row : kRows) {
        if (row.group && y > top + 2 * kRow) {
            p.setPen(pen(6));
            p.drawLine(QPointF(0, y), QPointF(width, y));
            p.setPen(pen(ReportDesign::kRuleTwips));
        }
        if (row.group) {
            const double groupWidth = kLabelWidth - (row.quantity ? kQuantityWidth : 0);
            p.setFont(fitted(bodyFont(true), catText(row.group), groupWidth - 80));
            cell(0, groupWidth, y, catText(row.group), Qt::AlignLeft);
        }
        p.setFont(bodyFont());
        if (row.quantity)
            cell(kLabelWidth - kQuantityWidth, kQuantityWidth, y, catText(row.quantity), Qt::AlignLeft);
        for (int r = 0; r < n; ++r) {
            if (row.kind == RowKind::Figure) {
                cell(left(r), valueWidth, y, valueText(r, row.figure), Qt::AlignRight);
                if (r > 0)
                    cell(left(r) + valueWidth, column - valueWidth, y, changeText(r, row.figure), Qt::AlignRight);
                continue;
            }
            // Words take the whole column, smaller where they would not fit,
            // and keep apart from the next column's.
            const QString words = wordsOf(m_comparison.recordings[size_t(r)], row.kind);
            p.setFont(fitted(bodyFont(), words, column - 160));
            cell(left(r), column, y, words, Qt::AlignHCenter);
            p.setFont(bodyFont());
        }
        y += kRow;
    }
    p.drawLine(QPointF(0, y), QPointF(width, y));
    return y + kGap;
}

double RecordingsComparisonPage::paintProfile(QPainter& p, double top) const
{
    const QRectF plot = profilePlot();
    const auto& recordings = m_comparison.recordings;
    p.setFont(bodyFont(true));
    line(p, top, catText("compare.hdProfile"), m_body.width());

    // The scale takes the means shown, in steps of 20 mmHg.
    double lowest = 1e9, highest = -1e9;
    for (const ComparedRecording& r : recordings)
        for (const AbpmHour& h : r.noonToNoon)
            for (const std::optional<double>& v : {h.sysMean, h.diaMean})
                if (v) {
                    lowest = std::min(lowest, *v);
                    highest = std::max(highest, *v);
                }
    double low = 40, high = 200;
    if (lowest <= highest) {
        low = std::clamp(std::floor((lowest - 5) / 20) * 20, 0.0, 280.0);
        high = std::clamp(std::ceil((highest + 5) / 20) * 20, low + 40, 320.0);
    }
    const auto xOf = [&](double slot) { return plot.left() + plot.width() * slot / 24.0; };
    const auto yOf = [&](double v) { return plot.bottom() - plot.height() * (std::clamp(v, low, high) - low) / (high - low); };

    p.setFont(ReportDesign::arial(7, false, false));
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawRect(plot);
    for (double v = low; v <= high; v += 20) {
        p.drawLine(QPointF(plot.left() - 60, yOf(v)), QPointF(plot.left(), yOf(v)));
        p.drawText(QRectF(0, yOf(v) - 120, plot.left() - 90, 240), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    for (int slot = 0; slot <= 24; slot += 2) {
        p.drawLine(QPointF(xOf(slot), plot.bottom()), QPointF(xOf(slot), plot.bottom() + 60));
        p.drawText(QRectF(xOf(slot) - 400, plot.bottom() + 60, 800, kLine), Qt::AlignHCenter | Qt::AlignTop,
                   QTime((12 + slot) % 24, 0).toString(QStringLiteral("HH:mm")));
    }

    // Each hour's mean at the middle of its hour; an hour without readings
    // breaks the line, and a mean without a neighbour is a dot.
    p.save();
    p.setClipRect(plot.adjusted(-60, -60, 60, 60));
    for (size_t i = 0; i < recordings.size(); ++i) {
        for (bool sys : {true, false}) {
            QPainterPath path;
            std::vector<QPointF> lone;
            const auto& hours = recordings[i].noonToNoon;
            for (int slot = 0; slot < 24; ++slot) {
                const std::optional<double>& v = sys ? hours[size_t(slot)].sysMean : hours[size_t(slot)].diaMean;
                if (!v)
                    continue;
                const QPointF at(xOf(slot + 0.5), yOf(*v));
                const auto has = [&](int s) {
                    return s >= 0 && s < 24 && (sys ? hours[size_t(s)].sysMean : hours[size_t(s)].diaMean).has_value();
                };
                if (has(slot - 1))
                    path.lineTo(at);
                else
                    path.moveTo(at);
                if (!has(slot - 1) && !has(slot + 1))
                    lone.push_back(at);
            }
            const double width = sys ? kSysWidth : kDiaWidth;
            p.setPen(pen(width, lineStyle(int(i))));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
            p.setPen(pen(width * 3));
            for (const QPointF& at : lone)
                p.drawPoint(at);
        }
    }
    p.restore();

    // Legend above the plot: each recording's line style and name.
    const QFontMetricsF metrics(p.font());
    const std::vector<QPointF> keys = legendPlaces();
    for (size_t i = 0; i < recordings.size(); ++i) {
        const QPointF at = keys[i];
        p.setPen(pen(kSysWidth, lineStyle(int(i))));
        p.drawLine(at, at + QPointF(kLegendSample, 0));
        p.setPen(pen(ReportDesign::kRuleTwips));
        p.drawText(at + QPointF(kLegendSample + 60, metrics.ascent() / 2 - 10), recordingName(int(i), recordings[i]));
    }
    p.drawText(QRectF(plot.left(), plot.bottom() + 60 + kLine, plot.width(), kLine), Qt::AlignRight | Qt::AlignTop,
               catText("compare.legendPressures"));
    p.setFont(bodyFont());
    return plot.bottom() + 2 * kLine;
}

void RecordingsComparisonPage::paintPage(QPainter& painter, int) const
{
    if (m_comparison.recordings.empty())
        return;
    painter.save();
    painter.scale(scale(), scale());
    painter.setPen(pen(ReportDesign::kRuleTwips));
    painter.setFont(bodyFont());
    double top = paintHeader(painter);
    top = paintRecordings(painter, top);
    top = paintTable(painter, top);
    paintProfile(painter, top);
    painter.restore();
}
