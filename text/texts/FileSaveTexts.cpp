// Catalogue entries of Save's own refusals: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Save onto the template (or another file marked as it is), after Yes: %1 the path.
    {"data.msgSaveOntoSystemFile", "File %1 Is KORVANE System File , Can not OverWrite !",
     "Datei %1 ,KORVANE System Datei , kann nicht überschrieben werden !"},
};
} // namespace

extern const std::span<const CatalogueEntry> kFileSaveTexts = entries;
