#include "data/AbpmPeriods.h"

#include "text/MessageCatalogue.h"

#include <QRegularExpression>

namespace {

int minuteOfDay(QTime time)
{
    return time.hour() * 60 + time.minute();
}

constexpr int kMinutesPerDay = 24 * 60;

} // namespace

bool ClockPeriod::contains(QTime time) const
{
    const int t = minuteOfDay(time);
    const int from = minuteOfDay(start);
    const int to = minuteOfDay(end);
    if (from <= to)
        return from <= t && t < to;
    return t >= from || t < to; // past midnight
}

int ClockPeriod::minutes() const
{
    return (minuteOfDay(end) - minuteOfDay(start) + kMinutesPerDay) % kMinutesPerDay;
}

QString ClockPeriod::text() const
{
    return start.toString(QStringLiteral("HH:mm")) + QLatin1Char('-') + end.toString(QStringLiteral("HH:mm"));
}

std::optional<ClockPeriod> ClockPeriod::fromText(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})\\s*-\\s*(\\d{1,2}):(\\d{2})\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime start(m.captured(1).toInt(), m.captured(2).toInt());
    const QTime end(m.captured(3).toInt(), m.captured(4).toInt());
    if (!start.isValid() || !end.isValid())
        return std::nullopt;
    return ClockPeriod{start, end};
}

AbpmPeriods AbpmPeriods::standard()
{
    return {{QTime(7, 0), QTime(22, 0)}, {QTime(22, 0), QTime(7, 0)}};
}

AbpmPeriods AbpmPeriods::narrowFixed()
{
    return {{QTime(10, 0), QTime(20, 0)}, {QTime(0, 0), QTime(6, 0)}};
}

AbpmPhase AbpmPeriods::phaseOf(QTime time) const
{
    if (day.contains(time))
        return AbpmPhase::Day;
    if (night.contains(time))
        return AbpmPhase::Night;
    return AbpmPhase::Neither;
}

QString AbpmPeriods::problem() const
{
    if (day.isEmpty())
        return catText("abpm.msgDayEmpty");
    if (night.isEmpty())
        return catText("abpm.msgNightEmpty");
    for (int m = 0; m < kMinutesPerDay; ++m) {
        const QTime t(m / 60, m % 60);
        if (day.contains(t) && night.contains(t))
            return catText("abpm.msgPeriodsOverlap").arg(t.toString(QStringLiteral("HH:mm")));
    }
    return QString();
}
