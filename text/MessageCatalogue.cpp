#include "text/MessageCatalogue.h"

#include "text/Edition.h"

#include <QHash>
#include <QtGlobal>

// The tables live one per area of the program, each in text/texts/.
extern const std::span<const CatalogueEntry> kPlatformTexts;
extern const std::span<const CatalogueEntry> kAppTexts;
extern const std::span<const CatalogueEntry> kDataTexts;
extern const std::span<const CatalogueEntry> kCommTexts;
extern const std::span<const CatalogueEntry> kViewTexts;
extern const std::span<const CatalogueEntry> kListTexts;
extern const std::span<const CatalogueEntry> kReadTexts;
extern const std::span<const CatalogueEntry> kPrintTexts;
extern const std::span<const CatalogueEntry> kAbpmTexts;
extern const std::span<const CatalogueEntry> kChartTexts;
extern const std::span<const CatalogueEntry> kHelpTexts;
extern const std::span<const CatalogueEntry> kEcgTexts;
extern const std::span<const CatalogueEntry> kRecordingTexts;
extern const std::span<const CatalogueEntry> kFileSaveTexts;
extern const std::span<const CatalogueEntry> kReportTexts;
extern const std::span<const CatalogueEntry> kGdtTexts;
extern const std::span<const CatalogueEntry> kRecordingsTexts;
extern const std::span<const CatalogueEntry> kComparisonTexts;

namespace {

const QHash<QByteArray, const CatalogueEntry*>& index()
{
    static const QHash<QByteArray, const CatalogueEntry*> built = [] {
        QHash<QByteArray, const CatalogueEntry*> map;
        for (const auto& table : catalogueTables())
            for (const CatalogueEntry& entry : table)
                map.insert(QByteArray(entry.key), &entry);
        return map;
    }();
    return built;
}

} // namespace

std::span<const std::span<const CatalogueEntry>> catalogueTables()
{
    static const std::span<const CatalogueEntry> tables[] = {
        kPlatformTexts, kAppTexts, kDataTexts, kCommTexts, kViewTexts,
        kListTexts, kReadTexts, kPrintTexts, kChartTexts, kHelpTexts, kEcgTexts,
        kAbpmTexts,
        kRecordingTexts,
        kFileSaveTexts,
        kReportTexts,
        kGdtTexts,
        kRecordingsTexts,
        kComparisonTexts,
    };
    return tables;
}

bool catHas(const char* key)
{
    return index().contains(QByteArray(key));
}

QString catText(const char* key, bool german)
{
    const CatalogueEntry* entry = index().value(QByteArray(key), nullptr);
    if (!entry) {
        qWarning("catalogue: no entry %s", key);
        return QString::fromUtf8(key);
    }
    const char* text = german ? entry->german : entry->english;
    return text ? QString::fromUtf8(text) : QString();
}

QString catText(const char* key)
{
    return catText(key, Edition::current().isGerman());
}
