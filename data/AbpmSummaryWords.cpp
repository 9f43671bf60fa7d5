#include "data/AbpmSummaryWords.h"

#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QLocale>

#include <cmath>

namespace {

// Like shownValue at any number of decimals.
double roundedTo(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    double shown = std::floor(std::fabs(value) * scale + 0.5 + 1e-7) / scale;
    if (value < 0)
        shown = -shown;
    return shown == 0 ? 0 : shown; // no minus sign before a zero
}

} // namespace

QString abpmNumber(double value, int decimals)
{
    QLocale locale = Edition::current().isGerman() ? QLocale(QLocale::German, QLocale::Germany)
                                                   : QLocale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(roundedTo(value, decimals), 'f', decimals);
}

QString abpmPointNumber(double value, int decimals)
{
    return QString::number(roundedTo(value, decimals), 'f', decimals);
}

QString abpmPercentText(qint64 part, qint64 whole)
{
    const std::optional<double> share = shownPercent(part, whole);
    return share ? abpmNumber(*share, 1) : catText("abpm.none");
}

QString abpmThresholdSetName(AbpmThresholdSet set)
{
    return catText(set == AbpmThresholdSet::AccAha2017 ? "abpm.setAccAha" : "abpm.setEsh");
}

QString abpmThresholdsUsed(AbpmThresholdSet set)
{
    return catText("abpm.lblThresholdSet").arg(abpmThresholdSetName(set));
}

QString abpmVerdictText(const AbpmMeansVerdict& v, const std::function<QString(double)>& number)
{
    if (!v.atOrAbove())
        return catText("abpm.verdictBelow").arg(v.threshold.sys).arg(v.threshold.dia);
    QStringList parts;
    if (v.sysAtOrAbove)
        parts << catText("abpm.verdictSys").arg(number(v.sys)).arg(v.threshold.sys);
    if (v.diaAtOrAbove)
        parts << catText("abpm.verdictDia").arg(number(v.dia)).arg(v.threshold.dia);
    return parts.join(QStringLiteral(", "));
}

QString abpmPeriodName(AbpmPeriodKind period)
{
    switch (period) {
    case AbpmPeriodKind::Day24:
        return catText("abpm.period24h");
    case AbpmPeriodKind::Day:
        return catText("abpm.periodDay");
    case AbpmPeriodKind::Night:
        return catText("abpm.periodNight");
    }
    return QString();
}

QString abpmDipClassText(DipClass dipClass)
{
    switch (dipClass) {
    case DipClass::ExtremeDipper:
        return catText("abpm.dipExtreme");
    case DipClass::Dipper:
        return catText("abpm.dipDipper");
    case DipClass::NonDipper:
        return catText("abpm.dipNon");
    case DipClass::ReverseDipper:
        return catText("abpm.dipReverse");
    }
    return QString();
}

QString abpmOfficeClassText(OfficeClass officeClass)
{
    switch (officeClass) {
    case OfficeClass::SustainedHypertension:
        return catText("office.sustained");
    case OfficeClass::WhiteCoatHypertension:
        return catText("office.whiteCoat");
    case OfficeClass::MaskedHypertension:
        return catText("office.masked");
    case OfficeClass::Normotension:
        return catText("office.normotension");
    }
    return QString();
}

QStringList abpmProblemTexts(const AbpmSummary& s, const QString& validPercent)
{
    QStringList texts;
    for (ValidityProblem problem : s.problems) {
        switch (problem) {
        case ValidityProblem::NoReadings:
            texts << catText("abpm.problemNoReadings");
            break;
        case ValidityProblem::TooFewValid:
            texts << catText("abpm.problemTooFewValid").arg(validPercent).arg(qRound(kLeastValidShare * 100));
            break;
        case ValidityProblem::TooFewDay:
            texts << catText("abpm.problemTooFewDay").arg(s.period(AbpmPeriodKind::Day).readings).arg(kLeastDayReadings);
            break;
        case ValidityProblem::TooFewNight:
            texts << catText("abpm.problemTooFewNight")
                         .arg(s.period(AbpmPeriodKind::Night).readings)
                         .arg(kLeastNightReadings);
            break;
        }
    }
    return texts;
}

double abpmShown(double value, int decimals)
{
    return roundedTo(value, decimals);
}

double abpmValidPercent(const AbpmSummary& summary)
{
    return shownPercent(summary.valid, summary.readings).value_or(0.0);
}
