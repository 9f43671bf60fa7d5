// Catalogue entries of the app windows and messages: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmMain.sbFile", "File: ", "Datei: "},
    {"frmMain.sbRecords", " Records", " Protokolle"},
};
} // namespace

extern const std::span<const CatalogueEntry> kAppTexts = entries;
