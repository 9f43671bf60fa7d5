#include "text/VersionBlock.h"

#include <QStringList>

namespace {

// "1.20" -> "1.20.0.0": the four parts of a numeric version.
QString numericForm(const QString& version)
{
    QStringList parts = version.split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    return parts.join(QLatin1Char('.'));
}

} // namespace

VersionBlock versionBlock(EditionId edition)
{
    const bool german = edition == EditionId::German;
    const QString product = QStringLiteral("KORVANE");
    VersionBlock block;
    block.productName = product;
    block.fileDescription = german ? QStringLiteral("Blutdruckdaten Auswertung")
                                   : QStringLiteral("Blood Pressure Data Check ");
    block.comments = german ? QStringLiteral("Deutsche Version") : QStringLiteral("English Version");
    block.version = QStringLiteral(KORVANE_VERSION);
    block.numericVersion = numericForm(block.version);
    block.internalName = german ? QStringLiteral("KORVANEG") : product;
    block.originalFilename = Edition::of(edition).programName();
    block.companyName = product;
    block.legalCopyright = product;
    block.legalTrademarks = product;
    block.language = QStringLiteral("US English, Unicode");
    return block;
}

QString versionText(EditionId edition)
{
    const VersionBlock b = versionBlock(edition);
    QString text = b.productName + QLatin1Char(' ') + b.version + QLatin1Char('\n') + b.fileDescription
        + QLatin1Char('\n') + b.comments + QLatin1Char('\n');
    const std::pair<const char*, QString> fields[] = {
        {"ProductName", b.productName},
        {"FileDescription", b.fileDescription},
        {"Comments", b.comments},
        {"InternalName", b.internalName},
        {"OriginalFilename", b.originalFilename},
        {"CompanyName", b.companyName},
        {"LegalCopyright", b.legalCopyright},
        {"LegalTrademarks", b.legalTrademarks},
        {"FileVersion", b.version + QStringLiteral(" (") + b.numericVersion + QLatin1Char(')')},
        {"ProductVersion", b.version + QStringLiteral(" (") + b.numericVersion + QLatin1Char(')')},
        {"Language", b.language},
    };
    for (const auto& [name, value] : fields)
        text += QLatin1String(name) + QStringLiteral(": ") + value + QLatin1Char('\n');
    return text;
}
