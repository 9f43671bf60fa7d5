// Catalogue entries: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmList.placeholder", "", ""},
};
} // namespace

extern const std::span<const CatalogueEntry> kListTexts = entries;
