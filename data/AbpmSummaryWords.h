#pragma once
// The words of the ABPM summary in the current edition that every place
// showing it shares (the window, the printed page, the result for the
// practice system, the report): the name of a period, of a dipping class,
// of an office class, of the set of thresholds, why a recording is not
// valid for diagnosis, and a verdict that names the pressure at or above
// its threshold with the figure as shown ("diastolic 81.0 at or above 80").
// Figures are written here too, with the edition's decimal mark and the
// rounding of shownValue, so that no place shows a figure its own way.
#include "data/AbpmSummary.h"

#include <QString>
#include <QStringList>

#include <functional>

// A figure to the given decimals, halves away from zero, with the
// edition's decimal mark and no grouping ("-0.0" is written "0.0").
QString abpmNumber(double value, int decimals);
// The same with a point whatever the edition (files for other systems).
QString abpmPointNumber(double value, int decimals);
// A share of shownPercent with one decimal, or the "none" text.
QString abpmPercentText(qint64 part, qint64 whole);

QString abpmPeriodName(AbpmPeriodKind period);
QString abpmDipClassText(DipClass dipClass);
QString abpmOfficeClassText(OfficeClass officeClass);
// One reason per validity problem, in the summary's order; validPercent is
// the valid share as the caller writes numbers.
QStringList abpmProblemTexts(const AbpmSummary& summary, const QString& validPercent);
QString abpmThresholdSetName(AbpmThresholdSet set);
// "Thresholds: ESH", as every page, result and export names the set.
QString abpmThresholdsUsed(AbpmThresholdSet set);
// "below 130/80", or each pressure at or above its threshold:
// "systolic 131.0 at or above 130, diastolic 81.0 at or above 80".
// number writes a figure as the caller writes numbers.
QString abpmVerdictText(const AbpmMeansVerdict& verdict, const std::function<QString(double)>& number);

// How many decimals the pages write a mean, a night/day ratio and a load
// (percent) with. A figure is compared and subtracted as written.
inline constexpr int kAbpmMeanDecimals = 1;
inline constexpr int kAbpmRatioDecimals = 3;
inline constexpr int kAbpmLoadDecimals = 1;
// The value as written to that many decimals (abpmNumber's rounding).
double abpmShown(double value, int decimals);
// The valid share in percent, cut (not rounded) to one decimal, so that it
// never shows a share reached that was not.
double abpmValidPercent(const AbpmSummary& summary);
