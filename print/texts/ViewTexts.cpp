// Catalogue entries of the view windows and messages: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"view.placeholder", "", ""},
};
} // namespace

extern const std::span<const CatalogueEntry> kViewTexts = entries;
