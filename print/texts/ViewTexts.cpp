// Catalogue entries of the view windows and messages: key, English, German.
#include "print/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"view.placeholder", "", ""},
    // Classification words of the statistic.
    {"bpClass.normal", "Normal", "Normal"},
    {"bpClass.borderline", "Borderline", "Grenzlinie"},
    {"bpClass.hypertension", "Hypertension", "Hypertonie"},
    {"bpClass.hypotension", "Hypotension", "Hypotonie"},
};
} // namespace

extern const std::span<const CatalogueEntry> kViewTexts = entries;
