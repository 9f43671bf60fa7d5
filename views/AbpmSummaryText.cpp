#include "views/AbpmSummaryText.h"

#include "data/AbpmSummaryWords.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"


#include <vector>

namespace AbpmSummaryText {

namespace {

QString decimal(double value, int decimals)
{
    return abpmNumber(value, decimals);
}

// A moment as the data windows write dates, with hours and minutes.
QString moment(const QDateTime& m)
{
    return m.toString(Edition::current().isGerman() ? QStringLiteral("dd.MM.yyyy HH:mm")
                                                    : QStringLiteral("M/d/yyyy HH:mm"));
}

QString optional(const std::optional<double>& value, int decimals)
{
    return value ? decimal(*value, decimals) : catText("abpm.none");
}

QString percent(qint64 part, qint64 whole)
{
    return abpmPercentText(part, whole);
}

QString share(qint64 part, qint64 whole)
{
    return percent(part, whole) + QStringLiteral(" %");
}

QString ruleText(ArtefactRule rule)
{
    switch (rule) {
    case ArtefactRule::EmptyValue:
        return catText("abpm.ruleEmpty");
    case ArtefactRule::SysOutOfRange:
        return catText("abpm.ruleSys").arg(kSysLowest).arg(kSysHighest);
    case ArtefactRule::DiaOutOfRange:
        return catText("abpm.ruleDia").arg(kDiaLowest).arg(kDiaHighest);
    case ArtefactRule::DiaNotBelowSys:
        return catText("abpm.ruleDiaNotBelowSys");
    case ArtefactRule::NarrowPulsePressure:
        return catText("abpm.rulePulsePressure").arg(kLeastPulsePressure);
    }
    return QString();
}

QString warning(const QString& text)
{
    return QStringLiteral("<span style=\"color:#b00000\">") + text + QStringLiteral("</span>");
}

QString cell(const QString& text, bool right = true)
{
    return QLatin1String(right ? "<td align=\"right\">" : "<td>") + text + QStringLiteral("</td>");
}

QString headerRow(const QStringList& captions)
{
    QString row = QStringLiteral("<tr>");
    for (const QString& caption : captions)
        row += QStringLiteral("<th>") + caption + QStringLiteral("</th>");
    return row + QStringLiteral("</tr>");
}

const char* kTable = "<table border=\"1\" cellspacing=\"0\" style=\"border-collapse:collapse\">";

QString heading(const char* key)
{
    return QStringLiteral("<p><b>") + catText(key) + QStringLiteral("</b></p>");
}

QString recording(const AbpmSummary& s, const AbpmPeriodChoice& choice)
{
    QString html = heading("abpm.hdRecording") + QStringLiteral("<p>");
    html += s.first.isValid() ? catText("abpm.lblSpan").arg(moment(s.first), moment(s.last))
                              : catText("abpm.lblNoSpan");
    html += QStringLiteral("<br>")
        + catText("abpm.lblReadings").arg(s.readings).arg(s.valid).arg(percent(s.valid, s.readings));
    QStringList counts;
    for (ArtefactRule rule : kArtefactRules)
        counts << ruleText(rule) + QStringLiteral(": ") + QString::number(s.excludedBy(rule));
    html += QStringLiteral("<br>") + catText("abpm.lblExcluded").arg(s.readings - s.valid - s.setAside)
        + QStringLiteral(" (") + counts.join(QStringLiteral("; ")) + QLatin1Char(')');
    if (s.setAside > 0)
        html += QStringLiteral("<br>") + catText("abpm.lblSetAside").arg(s.setAside);
    const bool diary = s.periodSource == AbpmPeriodSource::Diary;
    const AbpmPeriods periods = diary ? s.periodsUsed : choice.inForce();
    html += QStringLiteral("<br>") + catText("abpm.lblPeriods").arg(periods.day.text(), periods.night.text());
    if (diary)
        html += QLatin1Char(' ') + catText("abpm.lblDiary");
    else if (choice.narrow)
        html += QLatin1Char(' ') + catText("abpm.lblNarrow");
    html += QStringLiteral("<br>") + abpmThresholdsUsed(s.thresholds);
    return html + QStringLiteral("</p>");
}

// One row of the means table: a caption and a figure of each quantity.
struct MeansRow {
    const char* caption;
    std::optional<double> AbpmFigures::*figure;
};

QString means(const AbpmSummary& s)
{
    QString html = heading("abpm.hdMeans") + QLatin1String(kTable);
    html += headerRow({catText("abpm.colPeriod"), QString(), catText("abpm.colSys"), catText("abpm.colDia"),
                       catText("abpm.colMap"), catText("abpm.colPulse")});
    // The weighted mean and SD are figures of 24 hours only.
    const std::vector<MeansRow> rows24 = {
        {"abpm.rowMean", &AbpmFigures::mean},          {"abpm.rowWeightedMean", &AbpmFigures::weightedMean},
        {"abpm.rowSd", &AbpmFigures::sd},              {"abpm.rowWeightedSd", &AbpmFigures::weightedSd},
        {"abpm.rowCv", &AbpmFigures::cv},              {"abpm.rowArv", &AbpmFigures::arv},
        {"abpm.rowWeightedArv", &AbpmFigures::weightedArv}};
    const std::vector<MeansRow> rowsPart = {{"abpm.rowMean", &AbpmFigures::mean},
                                            {"abpm.rowSd", &AbpmFigures::sd},
                                            {"abpm.rowCv", &AbpmFigures::cv},
                                            {"abpm.rowArv", &AbpmFigures::arv},
                                            {"abpm.rowWeightedArv", &AbpmFigures::weightedArv}};
    for (int p = 0; p < kAbpmPeriodCount; ++p) {
        const AbpmPeriodFigures& f = s.periods[size_t(p)];
        const std::vector<MeansRow>& rows = AbpmPeriodKind(p) == AbpmPeriodKind::Day24 ? rows24 : rowsPart;
        for (size_t row = 0; row < rows.size(); ++row) {
            html += QStringLiteral("<tr>");
            if (row == 0)
                html += QStringLiteral("<td rowspan=\"%1\"><b>%2</b><br>%3: %4</td>")
                            .arg(rows.size())
                            .arg(abpmPeriodName(AbpmPeriodKind(p)), catText("abpm.colReadings"))
                            .arg(f.readings);
            html += cell(catText(rows[row].caption), false);
            for (const AbpmFigures& q : f.quantity)
                html += cell(optional(q.*(rows[row].figure), 1));
            html += QStringLiteral("</tr>");
        }
    }
    return html + QStringLiteral("</table>");
}

QString dipping(const AbpmSummary& s)
{
    QString html = heading("abpm.hdDipping") + QLatin1String(kTable);
    html += headerRow({QString(), catText("abpm.periodDay"), catText("abpm.periodNight"), catText("abpm.colRatio"),
                       catText("abpm.colFall"), catText("abpm.colClass")});
    const AbpmQuantity quantities[] = {AbpmQuantity::Sys, AbpmQuantity::Dia};
    const AbpmDipping* dips[] = {&s.sysDipping, &s.diaDipping};
    const char* names[] = {"abpm.rowSys", "abpm.rowDia"};
    for (int i = 0; i < 2; ++i) {
        const AbpmDipping& d = *dips[i];
        html += QStringLiteral("<tr>") + cell(catText(names[i]), false);
        html += cell(optional(s.period(AbpmPeriodKind::Day).of(quantities[i]).mean, 1));
        html += cell(optional(s.period(AbpmPeriodKind::Night).of(quantities[i]).mean, 1));
        html += cell(optional(d.ratio, kAbpmRatioDecimals)) + cell(optional(d.percent, 1));
        html += cell(d.dipClass ? abpmDipClassText(*d.dipClass) : catText("abpm.none"), false);
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

QString thresholds(const AbpmSummary& s)
{
    QString html = heading("abpm.hdThresholds") + QLatin1String(kTable);
    html += headerRow({catText("abpm.colPeriod"), catText("abpm.colThreshold"), catText("abpm.colMeans"),
                       catText("abpm.colAssessment"), catText("abpm.colSysAbove"), catText("abpm.colDiaAbove")});
    for (int p = 0; p < kAbpmPeriodCount; ++p) {
        const auto kind = AbpmPeriodKind(p);
        const AbpmPeriodFigures& f = s.period(kind);
        const AbpmThreshold t = s.threshold(kind);
        const std::optional<AbpmMeansVerdict> v = meansVerdict(s, kind);
        QString assessment = catText("abpm.none");
        if (v) {
            const QString verdict = abpmVerdictText(*v, [](double x) { return decimal(x, 1); });
            assessment = v->atOrAbove() ? warning(catText("abpm.elevated") + QStringLiteral(": ") + verdict)
                                        : catText("abpm.normal") + QStringLiteral(": ") + verdict;
        }
        html += QStringLiteral("<tr>")
            + cell(kind == AbpmPeriodKind::Day24 ? catText("abpm.period24hWeighted") : abpmPeriodName(kind), false)
            + cell(QStringLiteral("%1/%2").arg(t.sys).arg(t.dia))
            + cell(optional(f.assessedMean(AbpmQuantity::Sys), 1) + QLatin1Char('/')
                   + optional(f.assessedMean(AbpmQuantity::Dia), 1))
            + cell(assessment, false) + cell(share(f.sysAtOrAbove, f.readings))
            + cell(share(f.diaAtOrAbove, f.readings)) + QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// Office against ambulatory, when the details give an office pressure.
QString office(const AbpmSummary& s)
{
    if (!s.officeSys || !s.officeDia)
        return QString();
    QString html = heading("abpm.hdOffice") + QStringLiteral("<p>");
    const AbpmThreshold t = officeThreshold(s.thresholds);
    html += catText("abpm.lblOffice").arg(*s.officeSys).arg(*s.officeDia).arg(t.sys).arg(t.dia);
    html += QStringLiteral("<br>");
    if (!s.officeClass)
        return html + catText("abpm.none") + QStringLiteral("</p>");
    const QString name = abpmOfficeClassText(*s.officeClass);
    return html + (*s.officeClass == OfficeClass::Normotension ? name : warning(name)) + QStringLiteral("</p>");
}

QString validity(const AbpmSummary& s)
{
    QString html = heading("abpm.hdValidity") + QStringLiteral("<p>");
    if (s.validForDiagnosis())
        return html + catText("abpm.valid") + QStringLiteral("</p>");
    html += warning(catText("abpm.invalid"));
    for (const QString& reason : abpmProblemTexts(s, percent(s.valid, s.readings)))
        html += QStringLiteral("<br>&nbsp;&nbsp;- ") + reason;
    return html + QStringLiteral("</p>");
}

} // namespace

QString html(const AbpmSummary& summary, const AbpmPeriodChoice& choice)
{
    return recording(summary, choice) + means(summary) + dipping(summary) + thresholds(summary)
        + office(summary) + validity(summary);
}

QString styleSheet()
{
    return QStringLiteral("p { margin-top: 6px; margin-bottom: 2px; } td, th { padding: 2px 4px 2px 4px; } "
                          "th { background-color: #e8e8e8; }");
}

QString helpText()
{
    return catText("abpm.helpText")
        .arg(kSysLowest)
        .arg(kSysHighest)
        .arg(kDiaLowest)
        .arg(kDiaHighest)
        .arg(kLeastPulsePressure)
        .arg(qRound(kLeastValidShare * 100))
        .arg(kLeastDayReadings)
        .arg(kLeastNightReadings);
}

QString figureText(const std::optional<double>& value, int decimals)
{
    return optional(value, decimals);
}

QString shareText(qint64 part, qint64 whole)
{
    return share(part, whole);
}

} // namespace AbpmSummaryText
