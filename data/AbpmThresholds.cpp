#include "data/AbpmThresholds.h"

AbpmThreshold abpmThreshold(AbpmPeriodKind period, AbpmThresholdSet set)
{
    const bool acc = set == AbpmThresholdSet::AccAha2017;
    switch (period) {
    case AbpmPeriodKind::Day24:
        return acc ? AbpmThreshold{125, 75} : AbpmThreshold{130, 80};
    case AbpmPeriodKind::Day:
        return acc ? AbpmThreshold{130, 80} : AbpmThreshold{135, 85};
    case AbpmPeriodKind::Night:
        return acc ? AbpmThreshold{110, 65} : AbpmThreshold{120, 70};
    }
    return {0, 0};
}

AbpmThreshold officeThreshold(AbpmThresholdSet set)
{
    return set == AbpmThresholdSet::AccAha2017 ? AbpmThreshold{130, 80} : AbpmThreshold{140, 90};
}

QString thresholdSetKey(AbpmThresholdSet set)
{
    return set == AbpmThresholdSet::AccAha2017 ? QStringLiteral("ACCAHA2017") : QStringLiteral("ESH");
}

std::optional<AbpmThresholdSet> thresholdSetFromKey(const QString& key)
{
    if (key == QLatin1String("ESH"))
        return AbpmThresholdSet::Esh;
    if (key == QLatin1String("ACCAHA2017"))
        return AbpmThresholdSet::AccAha2017;
    return std::nullopt;
}
