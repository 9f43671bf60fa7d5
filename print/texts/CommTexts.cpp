// Catalogue entries of the comm windows and messages: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"comm.placeholder", "", ""},
};
} // namespace

extern const std::span<const CatalogueEntry> kCommTexts = entries;
