// Catalogue entries of the print windows and messages: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"print.placeholder", "", ""},
};
} // namespace

extern const std::span<const CatalogueEntry> kPrintTexts = entries;
