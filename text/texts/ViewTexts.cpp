// Catalogue entries of the view windows and messages: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Classification words of the statistic.
    {"bpClass.normal", "Normal", "Normal"},
    {"bpClass.borderline", "Borderline", "Grenzlinie"},
    {"bpClass.hypertension", "Hypertension", "Hypertonie"},
    {"bpClass.hypotension", "Hypotension", "Hypotonie"},
};
} // namespace

extern const std::span<const CatalogueEntry> kViewTexts = entries;
