#pragma once
// The version block of each edition: product name, description, comments,
// internal and original file name, company and legal-notice fields, the
// file and product version and the block's language. The one place for
// what `--version` prints and what the About box shows; the version is the
// project's, so the package carries the same number.
#include "text/Edition.h"

#include <QString>

struct VersionBlock {
    QString productName;      // "KORVANE" in both editions
    QString fileDescription;  // "Blood Pressure Data Check " / "Blutdruckdaten Auswertung"
    QString comments;         // "English Version" / "Deutsche Version"
    QString version;          // "1.20": file and product version
    QString numericVersion;   // "1.20.0.0"
    QString internalName;     // "KORVANE" / "KORVANEG"
    QString originalFilename; // the program file: "korvane" / "korvaneg"
    QString companyName;      // "KORVANE", as are the two legal-notice fields
    QString legalCopyright;
    QString legalTrademarks;
    QString language;         // "US English, Unicode"
};

VersionBlock versionBlock(EditionId edition = Edition::current().id());

// What `--version` prints: product name and version, description and
// comments, one to a line (as earlier versions printed them, for scripts
// that read them), then every other field of the block as "Name: value".
QString versionText(EditionId edition = Edition::current().id());
