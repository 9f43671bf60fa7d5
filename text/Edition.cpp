#include "text/Edition.h"

namespace {
EditionId g_edition = EditionId::English;
}

const Edition& Edition::current()
{
    static Edition english(EditionId::English);
    static Edition german(EditionId::German);
    return g_edition == EditionId::German ? german : english;
}

void Edition::select(EditionId id)
{
    g_edition = id;
}

QString Edition::colId() const { return isGerman() ? QStringLiteral("Nr_") : QStringLiteral("ID"); }
QString Edition::colDate() const { return isGerman() ? QStringLiteral("Datum") : QStringLiteral("Date"); }
QString Edition::colTime() const { return isGerman() ? QStringLiteral("Uhrzeit") : QStringLiteral("Time"); }
QString Edition::colPulse() const { return isGerman() ? QStringLiteral("Puls_min") : QStringLiteral("Pulse_min"); }

QString Edition::programName() const
{
    return isGerman() ? QStringLiteral("korvaneg") : QStringLiteral("korvane");
}
