#pragma once
// The words of the ABPM summary in the current edition that every place
// showing it shares (the window, the printed page, the result for the
// practice system, the report): the name of a period, of a dipping class,
// of an office class, and why a recording is not valid for diagnosis.
#include "data/AbpmSummary.h"

#include <QString>
#include <QStringList>

QString abpmPeriodName(AbpmPeriodKind period);
QString abpmDipClassText(DipClass dipClass);
QString abpmOfficeClassText(OfficeClass officeClass);
// One reason per validity problem, in the summary's order; validPercent is
// the valid share as the caller writes numbers.
QStringList abpmProblemTexts(const AbpmSummary& summary, const QString& validPercent);
