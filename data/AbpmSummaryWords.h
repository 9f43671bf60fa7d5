#pragma once
// The words of the ABPM summary in the current edition that every place
// showing it shares (the window, the printed page, the result for the
// practice system, the report): the name of a period, of a dipping class,
// of an office class, and why a recording is not valid for diagnosis; and
// the figures' numbers as the pages write them.
#include "data/AbpmSummary.h"

#include <QString>
#include <QStringList>

QString abpmPeriodName(AbpmPeriodKind period);
QString abpmDipClassText(DipClass dipClass);
QString abpmOfficeClassText(OfficeClass officeClass);
// One reason per validity problem, in the summary's order; validPercent is
// the valid share as the caller writes numbers.
QStringList abpmProblemTexts(const AbpmSummary& summary, const QString& validPercent);

// How many decimals the pages write a mean, a night/day ratio and a load
// (percent) with. A figure is compared and subtracted as written.
inline constexpr int kAbpmMeanDecimals = 1;
inline constexpr int kAbpmRatioDecimals = 2;
inline constexpr int kAbpmLoadDecimals = 0;
// A number as the pages write it in the current edition: to the given
// decimals, a decimal comma in German, no digit grouping, no minus sign
// before a zero.
QString abpmDecimalText(double value, int decimals);
// The value as written to that many decimals.
double abpmShown(double value, int decimals);
// The valid share in percent, cut (not rounded) to one decimal, so that it
// never shows a share reached that was not.
double abpmValidPercent(const AbpmSummary& summary);
