#include "text/VersionBlock.h"

VersionBlock versionBlock(EditionId edition)
{
    const bool german = edition == EditionId::German;
    VersionBlock block;
    block.productName = QStringLiteral("KORVANE");
    block.fileDescription = german ? QStringLiteral("Blutdruckdaten Auswertung")
                                   : QStringLiteral("Blood Pressure Data Check ");
    block.comments = german ? QStringLiteral("Deutsche Version") : QStringLiteral("English Version");
    block.version = QStringLiteral(KORVANE_VERSION);
    return block;
}

QString versionText(EditionId edition)
{
    const VersionBlock block = versionBlock(edition);
    return block.productName + QLatin1Char(' ') + block.version + QLatin1Char('\n')
        + block.fileDescription + QLatin1Char('\n') + block.comments + QLatin1Char('\n');
}
