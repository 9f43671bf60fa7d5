// Catalogue entries: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmRead.placeholder", "", ""},
};
} // namespace

extern const std::span<const CatalogueEntry> kReadTexts = entries;
