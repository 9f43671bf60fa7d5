#include "data/AbpmSettings.h"

#include "platform/SettingsStore.h"

namespace AbpmSettings {

namespace {

QString read(const char* key)
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSection), QString::fromLatin1(key));
}

bool write(const char* key, const QString& value, QString* why)
{
    return writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSection), QString::fromLatin1(key),
                        value, why);
}

} // namespace

AbpmPeriodChoice load()
{
    AbpmPeriodChoice choice;
    const std::optional<ClockPeriod> day = ClockPeriod::fromText(read(kDay));
    const std::optional<ClockPeriod> night = ClockPeriod::fromText(read(kNight));
    if (day && night) {
        const AbpmPeriods own{*day, *night};
        if (own.problem().isEmpty())
            choice.own = own;
    }
    // Flags count as yes only as the exact text YES.
    choice.narrow = read(kNarrow) == QLatin1String("YES");
    choice.thresholds = thresholdSetFromKey(read(kThresholds).trimmed()).value_or(AbpmThresholdSet::Esh);
    return choice;
}

bool store(const AbpmPeriodChoice& choice, QString* why)
{
    // The store refuses a write for reasons that hold for every key (it
    // cannot be read, it is write-protected), so the first refusal is all.
    return write(kDay, choice.own.day.text(), why) && write(kNight, choice.own.night.text(), why)
        && write(kNarrow, QString::fromLatin1(choice.narrow ? "YES" : "NO"), why)
        && write(kThresholds, thresholdSetKey(choice.thresholds), why);
}

} // namespace AbpmSettings
