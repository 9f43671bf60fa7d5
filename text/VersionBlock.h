#pragma once
// The version block of each edition: product name, description, comments
// and version. The one place for what `--version` prints and what the
// About box shows; the version is the project's, so the package carries
// the same number.
#include "text/Edition.h"

#include <QString>

struct VersionBlock {
    QString productName;     // "KORVANE" in both editions
    QString fileDescription; // "Blood Pressure Data Check " / "Blutdruckdaten Auswertung"
    QString comments;        // "English Version" / "Deutsche Version"
    QString version;         // "1.20"
};

VersionBlock versionBlock(EditionId edition = Edition::current().id());

// What `--version` prints: product name and version, description, comments,
// one to a line.
QString versionText(EditionId edition = Edition::current().id());
