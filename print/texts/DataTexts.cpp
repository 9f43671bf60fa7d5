// Catalogue entries of the data windows and messages: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"data.placeholder", "", ""},
};
} // namespace

extern const std::span<const CatalogueEntry> kDataTexts = entries;
