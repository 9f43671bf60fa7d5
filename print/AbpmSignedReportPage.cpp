#include "print/AbpmSignedReportPage.h"

#include "data/AbpmSummaryWords.h"
#include "print/ReportLayout.h"
#include "print/ReportPageSetup.h"
#include "print/ReportPieces.h"
#include "text/MessageCatalogue.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace ReportPieces;

namespace {

constexpr double kProfileHeight = 3700;
constexpr double kTableRow = 215;
constexpr double kSignatureBand = 900; // date line, room to sign, the rule and its caption
constexpr double kLeastConclusion = 3 * kLine;
// The profile's pressure scale, in mmHg (pulse shares it, in beats per minute).
constexpr double kScaleLow = 40;
constexpr double kScaleHigh = 220;

QString decimal(double value, int decimals)
{
    return abpmNumber(value, decimals);
}

QString dateText(const QDate& d)
{
    return detailsDateText(d);
}

QString timeText(const QDateTime& m)
{
    return detailsTimeText(m.time());
}

} // namespace

AbpmSignedReportPage::AbpmSignedReportPage(AbpmSignedReportContent content, const QPageLayout& page)
    : m_content(std::move(content))
    , m_body(page.paintRect(QPageLayout::Point).size() * ReportPageSetup::kTwipsPerPoint)
{
    m_conclusionOnPageTwo = firstPartHeight() + conclusionHeight() > m_body.height();
}

QStringList AbpmSignedReportPage::missingDetails() const
{
    const RecordingDetails& d = m_content.details;
    QStringList missing;
    if (d.surname.isEmpty() && d.firstName.isEmpty())
        missing << catText("report.missingName");
    if (d.patientNumber.isEmpty())
        missing << catText("report.missingNumber");
    if (!d.birthDate.isValid())
        missing << catText("report.missingBirth");
    if (d.sex == PatientSex::Unknown)
        missing << catText("report.missingSex");
    if (d.physician.isEmpty())
        missing << catText("report.missingPhysician");
    return missing;
}

double AbpmSignedReportPage::firstPartHeight() const
{
    const bool missing = !missingDetails().isEmpty();
    const double header = kTitle + kLine + kGap;
    const double patient = (missing ? 3 : 2) * kLine + kGap;
    const double validity = 3 * kLine + kGap;
    const double table = (1 + 3 * kReportQuantityCount) * kTableRow + kLine + kGap;
    const double classes = 4 * kLine + kGap;
    return header + patient + validity + kProfileHeight + kGap + table + classes;
}

double AbpmSignedReportPage::conclusionHeight() const
{
    QFontMetricsF metrics(bodyFont());
    const QRectF text = metrics.boundingRect(QRectF(0, 0, m_body.width(), 1e6), Qt::TextWordWrap,
                                             m_content.conclusion.text);
    return kLine + std::max(kLeastConclusion, text.height()) + kSignatureBand;
}

QRectF AbpmSignedReportPage::profileArea() const
{
    const bool missing = !missingDetails().isEmpty();
    const double top = kTitle + kLine + kGap + (missing ? 3 : 2) * kLine + kGap + 3 * kLine + kGap;
    return QRectF(0, top, m_body.width(), kProfileHeight);
}

double AbpmSignedReportPage::paintHeader(QPainter& p) const
{
    const double width = m_body.width();
    p.setFont(ReportDesign::arial(13, true, false));
    p.drawText(QRectF(0, 0, width, kTitle), Qt::AlignHCenter | Qt::AlignTop, catText("report.title"));
    p.setFont(bodyFont());
    line(p, kTitle, m_content.practice, width);
    line(p, kTitle, catText("report.lblPrinted").arg(dateText(m_content.printed)), width, Qt::AlignRight);
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawLine(QPointF(0, kTitle + kLine + 30), QPointF(width, kTitle + kLine + 30));
    return kTitle + kLine + kGap;
}

double AbpmSignedReportPage::paintPatient(QPainter& p, double top) const
{
    const RecordingDetails& d = m_content.details;
    const AbpmSummary& s = m_content.figures.summary;
    const double width = m_body.width();
    p.setFont(bodyFont(true));
    line(p, top, patientLine(d, s.first.isValid() ? s.first.date() : m_content.printed), width);
    p.setFont(bodyFont());
    const QString recording = s.first.isValid() ? catText("report.lblRecording").arg(momentText(s.first), momentText(s.last))
                                                : catText("report.lblNoRecording");
    line(p, top + kLine, recording, width);
    if (!d.physician.isEmpty())
        line(p, top + kLine, catText("report.lblPhysician").arg(d.physician), width, Qt::AlignRight);
    const QStringList missing = missingDetails();
    if (missing.isEmpty())
        return top + 2 * kLine + kGap;
    p.setFont(ReportDesign::arial(8.5, true, true));
    line(p, top + 2 * kLine, catText("report.lblMissing").arg(missing.join(QStringLiteral(", "))), width);
    p.setFont(bodyFont());
    return top + 3 * kLine + kGap;
}

double AbpmSignedReportPage::paintValidity(QPainter& p, double top) const
{
    const AbpmSummary& s = m_content.figures.summary;
    const double width = m_body.width();
    qint64 excluded = 0;
    for (qint64 n : s.excluded)
        excluded += n;
    line(p, top, catText("report.lblValidity").arg(s.readings).arg(s.valid).arg(s.setAside).arg(excluded)
                     .arg(s.period(AbpmPeriodKind::Day).readings).arg(s.period(AbpmPeriodKind::Night).readings), width);
    QString periods = catText("report.lblPeriods").arg(s.periodsUsed.day.text(), s.periodsUsed.night.text());
    if (s.periodSource == AbpmPeriodSource::Diary)
        periods += QLatin1Char(' ') + catText("report.lblDiary");
    line(p, top + kLine, periods, width);
    p.setFont(bodyFont(true));
    line(p, top + 2 * kLine,
         s.validForDiagnosis() ? catText("report.lblFit")
                               : catText("report.lblNotFit").arg(abpmProblemTexts(s, abpmPercentText(s.valid, s.readings)).join(QStringLiteral("; "))),
         width);
    p.setFont(bodyFont());
    return top + 3 * kLine + kGap;
}

double AbpmSignedReportPage::paintProfile(QPainter& p, double top) const
{
    const AbpmReportFigures& f = m_content.figures;
    const AbpmPeriods& periods = f.summary.periodsUsed;
    const double axisLeft = 600, legendHeight = kLine, axisBottom = 2 * kLine;
    const QRectF plot(axisLeft, top + legendHeight, m_body.width() - axisLeft - 60,
                      kProfileHeight - legendHeight - axisBottom);
    // Whole hours around the recording; a day when there is nothing to show.
    QDateTime from = f.summary.first.isValid() ? f.summary.first : QDateTime(m_content.printed, QTime(0, 0), Qt::UTC);
    from = QDateTime(from.date(), QTime(from.time().hour(), 0), from.timeSpec());
    QDateTime to = f.summary.last.isValid() ? f.summary.last.addSecs(3600) : from.addDays(1);
    to = QDateTime(to.date(), QTime(to.time().hour(), 0), to.timeSpec());
    const double span = std::max<double>(3600, from.secsTo(to));
    const auto xOf = [&](const QDateTime& t) { return plot.left() + plot.width() * double(from.secsTo(t)) / span; };
    const auto yOf = [&](double v) {
        return plot.bottom() - plot.height() * (std::clamp(v, kScaleLow, kScaleHigh) - kScaleLow) / (kScaleHigh - kScaleLow);
    };

    // Asleep shaded; thresholds by phase, sampled every 5 minutes. A run of
    // steps in one phase is one shape: a recording of many days has many
    // thousands of steps.
    const qint64 step = 300;
    struct PhaseRun {
        AbpmPhase phase;
        double x0, x1;
    };
    QList<PhaseRun> runs;
    for (qint64 t = 0; t < qint64(span); t += step) {
        const QDateTime at = from.addSecs(t);
        const AbpmPhase phase = periods.phaseOf(at.time());
        const double x0 = xOf(at), x1 = xOf(at.addSecs(step));
        if (!runs.isEmpty() && runs.last().phase == phase)
            runs.last().x1 = x1;
        else
            runs.append({phase, x0, x1});
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(Qt::black, Qt::Dense6Pattern));
    for (const PhaseRun& run : runs)
        if (run.phase == AbpmPhase::Night)
            p.drawRect(QRectF(run.x0, plot.top(), run.x1 - run.x0, plot.height()));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(12, Qt::DashLine));
    for (const PhaseRun& run : runs) {
        if (run.phase == AbpmPhase::Neither)
            continue;
        const AbpmThreshold th = f.summary.threshold(run.phase == AbpmPhase::Day ? AbpmPeriodKind::Day : AbpmPeriodKind::Night);
        p.drawLine(QPointF(run.x0, yOf(th.sys)), QPointF(run.x1, yOf(th.sys)));
        p.drawLine(QPointF(run.x0, yOf(th.dia)), QPointF(run.x1, yOf(th.dia)));
    }

    // Axes, grid labels every 20 mmHg and every 2 hours (4 beyond a day).
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawRect(plot);
    p.setFont(ReportDesign::arial(7, false, false));
    for (int v = int(kScaleLow); v <= int(kScaleHigh); v += 20) {
        p.drawLine(QPointF(plot.left() - 60, yOf(v)), QPointF(plot.left(), yOf(v)));
        p.drawText(QRectF(0, yOf(v) - 120, plot.left() - 90, 240), Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
    }
    const int hoursApart = span > 26 * 3600 ? 4 : 2;
    for (QDateTime t = from; t <= to; t = t.addSecs(3600)) {
        if (t.time().hour() % hoursApart != 0)
            continue;
        p.drawLine(QPointF(xOf(t), plot.bottom()), QPointF(xOf(t), plot.bottom() + 60));
        p.drawText(QRectF(xOf(t) - 400, plot.bottom() + 60, 800, kLine), Qt::AlignHCenter | Qt::AlignTop,
                   t.time().toString(QStringLiteral("HH:mm")));
    }
    p.drawText(QRectF(0, plot.top() - legendHeight, axisLeft + 600, legendHeight), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("mmHg, /min"));

    // The readings: systolic bold, diastolic thin, pulse dotted. Readings
    // closer together than a printer's dot are drawn as that column's
    // first, lowest, highest and last point: the same line, and a file of
    // many days stays quick to show.
    const auto series = [&](double width, Qt::PenStyle style, auto value) {
        constexpr double kColumnTwips = 2;
        QPainterPath path;
        const auto add = [&path](const QPointF& at) {
            if (path.elementCount() == 0)
                path.moveTo(at);
            else if (path.currentPosition() != at)
                path.lineTo(at);
        };
        std::optional<qint64> column;
        QPointF low, high, last;
        const auto flush = [&] {
            if (!column)
                return;
            const bool lowFirst = low.x() <= high.x();
            add(lowFirst ? low : high);
            add(lowFirst ? high : low);
            add(last);
        };
        for (const AbpmProfilePoint& r : f.profile) {
            const std::optional<double> v = value(r);
            if (!v)
                continue;
            const QPointF at(xOf(r.moment), yOf(*v));
            const auto atColumn = qint64(std::floor(at.x() / kColumnTwips));
            if (column != atColumn) {
                flush();
                column = atColumn;
                add(at);
                low = high = at;
            }
            if (at.y() > low.y())
                low = at;
            if (at.y() < high.y())
                high = at;
            last = at;
        }
        flush();
        p.setPen(pen(width, style));
        p.drawPath(path);
    };
    p.save();
    p.setClipRect(plot);
    series(30, Qt::SolidLine, [](const AbpmProfilePoint& r) { return std::optional<double>(r.sys); });
    series(12, Qt::SolidLine, [](const AbpmProfilePoint& r) { return std::optional<double>(r.dia); });
    series(12, Qt::DotLine, [](const AbpmProfilePoint& r) { return r.pulse; });
    p.setPen(pen(15));
    for (const AbpmProfilePoint& r : f.setAside)
        for (double v : {r.sys, r.dia}) {
            const QPointF c(xOf(r.moment), yOf(v));
            p.drawLine(c + QPointF(-45, -45), c + QPointF(45, 45));
            p.drawLine(c + QPointF(-45, 45), c + QPointF(45, -45));
        }
    p.restore();

    // Legend, right-aligned above the plot.
    struct Key {
        const char* text;
        double width;
        Qt::PenStyle style;
    };
    const Key keys[] = {{"report.legendSys", 30, Qt::SolidLine}, {"report.legendDia", 12, Qt::SolidLine},
                        {"report.legendPulse", 12, Qt::DotLine}, {"report.legendThreshold", 12, Qt::DashLine}};
    const QFontMetricsF metrics(p.font());
    double x = plot.left() + 800;
    const double y = plot.top() - legendHeight / 2;
    for (const Key& k : keys) {
        p.setPen(pen(k.width, k.style));
        p.drawLine(QPointF(x, y), QPointF(x + 300, y));
        p.setPen(pen(ReportDesign::kRuleTwips));
        const QString text = catText(k.text);
        p.drawText(QPointF(x + 360, y + metrics.ascent() / 2 - 10), text);
        x += 500 + metrics.horizontalAdvance(text);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(Qt::black, Qt::Dense6Pattern));
    p.drawRect(QRectF(x, y - 70, 300, 140));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawText(QPointF(x + 360, y + metrics.ascent() / 2 - 10), catText("report.legendAsleep"));
    x += 500 + metrics.horizontalAdvance(catText("report.legendAsleep"));
    p.setPen(pen(15));
    p.drawLine(QPointF(x + 105, y - 45), QPointF(x + 195, y + 45));
    p.drawLine(QPointF(x + 105, y + 45), QPointF(x + 195, y - 45));
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawText(QPointF(x + 360, y + metrics.ascent() / 2 - 10), catText("report.legendSetAside"));
    p.setFont(bodyFont());
    return top + kProfileHeight + kGap;
}

double AbpmSignedReportPage::paintTable(QPainter& p, double top) const
{
    // The body is 8505 twips wide; the mean column holds "131.2 ± 6.6 (134.5 ± 11.9)".
    const double columns[] = {0, 1100, 1700, 4300, 5550, 6800, 7750, m_body.width()};
    const char* heads[] = {"report.colPeriod", nullptr, "report.colMean", "report.colMin", "report.colMax",
                           "report.colLoad", "report.colCount"};
    const auto cell = [&](int c, double y, const QString& text) {
        p.drawText(QRectF(columns[c] + 40, y, columns[c + 1] - columns[c] - 80, kTableRow),
                   (c < 2 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
    };
    p.setFont(bodyFont(true));
    for (int c = 0; c < 7; ++c)
        if (heads[c])
            cell(c, top, catText(heads[c]));
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawLine(QPointF(0, top + kTableRow), QPointF(m_body.width(), top + kTableRow));
    const char* periodKeys[] = {"report.period24h", "report.periodAwake", "report.periodAsleep"};
    const char* rowKeys[] = {"report.rowSys", "report.rowDia", "report.rowPulse"};
    const QString none = catText("abpm.none");
    double y = top + kTableRow;
    for (int period = 0; period < kAbpmPeriodCount; ++period) {
        const AbpmReportPeriod& f = m_content.figures.periods[size_t(period)];
        for (int q = 0; q < kReportQuantityCount; ++q, y += kTableRow) {
            const AbpmReportQuantity& v = f.quantity[size_t(q)];
            p.setFont(bodyFont(q == 0));
            if (q == 0) {
                cell(0, y, catText(periodKeys[period]));
                cell(6, y, QString::number(f.count));
            }
            p.setFont(bodyFont());
            cell(1, y, catText(rowKeys[q]));
            const auto meanSd = [&](const std::optional<double>& mean, const std::optional<double>& sd) {
                return mean ? decimal(*mean, kAbpmMeanDecimals) + QStringLiteral(" ± ") + (sd ? decimal(*sd, 1) : none) : none;
            };
            // 24 hours: the time-weighted figures, those of all readings in brackets.
            if (v.weightedMean)
                cell(2, y, meanSd(v.weightedMean, v.weightedSd) + QStringLiteral(" (") + meanSd(v.mean, v.sd)
                               + QLatin1Char(')'));
            else
                cell(2, y, meanSd(v.mean, v.sd));
            const auto extreme = [&](const std::optional<AbpmExtreme>& e) {
                return e ? decimal(e->value, 0) + QStringLiteral(" (") + timeText(e->moment) + QLatin1Char(')') : none;
            };
            cell(3, y, extreme(v.minimum));
            cell(4, y, extreme(v.maximum));
            const std::optional<double> load = q == 0 ? f.sysLoad : q == 1 ? f.diaLoad : std::nullopt;
            if (q < 2)
                cell(5, y, load ? decimal(*load, kAbpmLoadDecimals) + QStringLiteral(" %") : none);
        }
        p.setPen(pen(period == kAbpmPeriodCount - 1 ? ReportDesign::kRuleTwips : 6, Qt::SolidLine));
        p.drawLine(QPointF(0, y), QPointF(m_body.width(), y));
    }
    p.setFont(bodyFont());
    line(p, y, catText("report.lblWeighted").arg(abpmThresholdsUsed(m_content.figures.summary.thresholds)), m_body.width());
    return y + kLine + kGap;
}

double AbpmSignedReportPage::paintClasses(QPainter& p, double top) const
{
    const AbpmReportFigures& f = m_content.figures;
    const AbpmSummary& s = f.summary;
    const double width = m_body.width();
    const AbpmDipping& sys = s.sysDipping;
    const AbpmDipping& dia = s.diaDipping;
    const auto dipLine = [&](const char* key, const AbpmDipping& d) {
        return catText(key).arg(decimal(*d.ratio, kAbpmRatioDecimals), decimal(*d.percent, 1), abpmDipClassText(*d.dipClass));
    };
    if (sys.ratio && sys.percent && sys.dipClass && dia.ratio && dia.percent && dia.dipClass) {
        line(p, top, dipLine("report.lblNightFallSys", sys), width);
        line(p, top + kLine, dipLine("report.lblNightFallDia", dia), width);
    } else {
        line(p, top, catText("report.lblNoNightFall"), width);
    }
    top += kLine;
    if (f.morningSurge)
        line(p, top + kLine, catText("report.lblSurge").arg(decimal(f.morningSurge->surge, 1),
                                                             decimal(f.morningSurge->morningMean, 1),
                                                             decimal(f.morningSurge->lowestMean, 1)), width);
    else
        line(p, top + kLine, catText("report.lblNoSurge"), width);
    const RecordingDetails& d = m_content.details;
    if (d.hasOffice() && s.officeClass)
        line(p, top + 2 * kLine, catText("report.lblOffice").arg(*d.officeSys).arg(*d.officeDia).arg(abpmOfficeClassText(*s.officeClass)),
             width);
    return top + 3 * kLine + kGap;
}

double AbpmSignedReportPage::paintConclusion(QPainter& p, double top) const
{
    const double width = m_body.width();
    p.setFont(bodyFont(true));
    line(p, top, catText("report.hdConclusion"), width);
    p.setFont(bodyFont());
    const QRectF box(0, top + kLine, width, conclusionHeight() - kLine - kSignatureBand);
    p.drawText(box, Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft, m_content.conclusion.text);
    const AbpmConclusion& c = m_content.conclusion;
    const double signedTop = box.bottom() + 60;
    line(p, signedTop,
         catText("report.lblSigned").arg(c.date.isValid() ? dateText(c.date) : QString(),
                                          c.physician.isEmpty() ? m_content.details.physician : c.physician),
         width);
    const double rule = signedTop + kSignatureBand - kLine - 60;
    p.setPen(pen(ReportDesign::kRuleTwips));
    p.drawLine(QPointF(width - 3600, rule), QPointF(width, rule));
    p.drawText(QRectF(width - 3600, rule + 20, 3600, kLine), Qt::AlignHCenter | Qt::AlignTop, catText("report.lblSignature"));
    return signedTop + kSignatureBand;
}

void AbpmSignedReportPage::paintPage(QPainter& painter, int page) const
{
    painter.save();
    painter.setPen(pen(ReportDesign::kRuleTwips));
    painter.setFont(bodyFont());
    double top = paintHeader(painter);
    if (page == 1) {
        top = paintPatient(painter, top);
        top = paintValidity(painter, top);
        top = paintProfile(painter, top);
        top = paintTable(painter, top);
        top = paintClasses(painter, top);
    }
    if (page == pageCount())
        paintConclusion(painter, top);
    if (pageCount() > 1)
        line(painter, m_body.height() - kLine, catText("report.lblPage").arg(page).arg(pageCount()), m_body.width(),
             Qt::AlignRight);
    painter.restore();
}
