#include "data/AbpmSummaryWords.h"

#include "text/MessageCatalogue.h"

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
