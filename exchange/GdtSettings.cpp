#include "exchange/GdtSettings.h"

#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryFile>

namespace {

QString value(const char* key, const QString& fallback = QString())
{
    return readSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(GdtSettingsStore::kSection),
                       QString::fromLatin1(key), fallback);
}

bool isGdtId(const QString& id)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9]{4}$"));
    return pattern.match(id).hasMatch();
}

std::optional<QString> folderProblem(const QString& folder, const char* nameKey)
{
    const QString name = catText(nameKey);
    if (folder.isEmpty())
        return catText("gdt.msgFolderMissing").arg(name);
    if (!QFileInfo(folder).isDir())
        return catText("gdt.msgFolderNotThere").arg(name, QDir::toNativeSeparators(folder));
    if (!gdtFolderWritable(folder))
        return catText("gdt.msgFolderNotWritable").arg(name, QDir::toNativeSeparators(folder));
    return std::nullopt;
}

} // namespace

namespace GdtSettingsStore {

GdtSettings load()
{
    GdtSettings s;
    s.enabled = value("ENABLED") == u"YES";
    s.importFolder = value("IMPORT");
    s.exportFolder = value("EXPORT");
    if (const QString own = value("OWNID"); isGdtId(own))
        s.ownId = own;
    if (const QString pvs = value("PVSID"); isGdtId(pvs))
        s.pvsId = pvs;
    if (const auto charset = gdtCharsetFromField(value("CHARSET").toLatin1()))
        s.charset = *charset;
    s.attachPdf = value("PDF", QStringLiteral("YES")) == u"YES";
    return s;
}

bool store(const GdtSettings& s, QString* why)
{
    const auto yesNo = [](bool yes) { return yes ? QStringLiteral("YES") : QStringLiteral("NO"); };
    const std::pair<const char*, QString> entries[] = {
        {"ENABLED", yesNo(s.enabled)}, {"IMPORT", s.importFolder}, {"EXPORT", s.exportFolder},
        {"OWNID", s.ownId}, {"PVSID", s.pvsId}, {"CHARSET", QString(QChar(gdtCharsetDigit(s.charset)))},
        {"PDF", yesNo(s.attachPdf)},
    };
    for (const auto& [key, text] : entries) {
        if (!writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kSection), QString::fromLatin1(key), text,
                          why))
            return false;
    }
    return true;
}

} // namespace GdtSettingsStore

bool gdtFolderWritable(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".korvane-probe-XXXXXX")));
    return probe.open();
}

std::optional<QString> gdtSettingsProblem(const GdtSettings& s)
{
    if (!s.enabled)
        return std::nullopt;
    if (auto problem = folderProblem(s.importFolder, "gdt.nameImport"))
        return problem;
    if (!s.exportFolder.isEmpty()) {
        if (auto problem = folderProblem(s.exportFolder, "gdt.nameExport"))
            return problem;
    }
    if (!isGdtId(s.ownId))
        return catText("gdt.msgBadId").arg(catText("gdt.nameOwnId"), s.ownId);
    if (!isGdtId(s.pvsId))
        return catText("gdt.msgBadId").arg(catText("gdt.namePvsId"), s.pvsId);
    if (gdtIdsEqual(s)) {
        // The same folder is the common way the IDs clash: say that first.
        if (s.exportFolder.isEmpty() || sameFile(s.importFolder, s.exportFolder))
            return catText("gdt.msgSameFolder")
                .arg(catText("gdt.nameImport"), catText("gdt.nameExport"), QDir::toNativeSeparators(s.importFolder));
        return catText("gdt.msgSameIds").arg(catText("gdt.nameOwnId"), catText("gdt.namePvsId"), s.ownId);
    }
    return std::nullopt;
}

bool gdtIdsEqual(const GdtSettings& s)
{
    return s.ownId.compare(s.pvsId, Qt::CaseInsensitive) == 0;
}
