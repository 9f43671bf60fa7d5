#pragma once
// The link with the practice system in the settings store (application
// "KORVANE", section "GDT"), readable by hand: ENABLED (YES/NO, default
// NO), IMPORT (the folder the practice system writes requests into),
// EXPORT (the folder for results; empty: IMPORT), OWNID (this program's
// GDT ID, default KORV), PVSID (the practice system's, default PRAX),
// CHARSET (9206 of what we write: 1, 2 or 3, default 2), PDF (YES/NO,
// attach the report, default YES). A value edited by hand that cannot be
// used gives the default.
#include "exchange/GdtCharset.h"

#include <QString>

#include <optional>

struct GdtSettings {
    bool enabled = false;
    QString importFolder;
    QString exportFolder; // empty: importFolder
    QString ownId = QStringLiteral("KORV");
    QString pvsId = QStringLiteral("PRAX");
    GdtCharset charset = GdtCharset::Cp437;
    bool attachPdf = true;

    QString resultFolder() const { return exportFolder.isEmpty() ? importFolder : exportFolder; }
    bool operator==(const GdtSettings&) const = default;
};

namespace GdtSettingsStore {

inline constexpr const char* kSection = "GDT";

GdtSettings load();
// False with the reason in *why when the store refused it.
bool store(const GdtSettings& settings, QString* why = nullptr);

} // namespace GdtSettingsStore

// Why the settings cannot be used, naming the folder or the ID, in the
// current edition; none when they can. Switched off, nothing is checked.
// A folder must exist and take a new file (tried, not guessed from its
// permissions); an ID is four letters or digits; the two IDs differ
// (without case), since a result <PVS><own> would otherwise be named as a
// request <own><PVS> and, in one folder, be read back as one.
std::optional<QString> gdtSettingsProblem(const GdtSettings& settings);
// Whether the two IDs are one, compared without case as file names are.
bool gdtIdsEqual(const GdtSettings& settings);
// Whether a new file can be made in the folder (a file is made and removed).
bool gdtFolderWritable(const QString& folder);
