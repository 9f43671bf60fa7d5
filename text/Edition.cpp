#include "text/Edition.h"

#include "platform/PlatformText.h"
#include "text/MessageCatalogue.h"

namespace {
EditionId g_edition = EditionId::English;
}

const Edition& Edition::of(EditionId id)
{
    static const Edition english(EditionId::English);
    static const Edition german(EditionId::German);
    return id == EditionId::German ? german : english;
}

const Edition& Edition::current()
{
    return of(g_edition);
}

void Edition::select(EditionId id)
{
    g_edition = id;
    // The platform's own texts come from the catalogue from now on.
    setPlatformTextLookup([](const char* key) { return catText(key); });
}

QString Edition::colId() const { return isGerman() ? QStringLiteral("Nr_") : QStringLiteral("ID"); }
QString Edition::colDate() const { return isGerman() ? QStringLiteral("Datum") : QStringLiteral("Date"); }
QString Edition::colTime() const { return isGerman() ? QStringLiteral("Uhrzeit") : QStringLiteral("Time"); }
QString Edition::colPulse() const { return isGerman() ? QStringLiteral("Puls_min") : QStringLiteral("Pulse_min"); }

QString Edition::programName() const
{
    return isGerman() ? QStringLiteral("korvaneg") : QStringLiteral("korvane");
}
