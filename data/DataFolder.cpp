#include "data/DataFolder.h"

#include "platform/SeamDialogs.h"
#include "platform/SettingsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kSection = QStringLiteral("Folders");
const QString kKey = QStringLiteral("DataFiles");

// The current folder (the template's) and the program file's folder.
bool isProgramFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    const QString current = QFileInfo(QDir::currentPath()).canonicalFilePath();
    const QString program = QFileInfo(QCoreApplication::applicationDirPath()).canonicalFilePath();
    return canonical == current || canonical == program;
}

} // namespace

namespace DataFolder {

QString startFolder()
{
    const QString kept = readSetting(QString::fromLatin1(kAppTitle), kSection, kKey);
    if (!kept.isEmpty() && QFileInfo(kept).isDir() && !isProgramFolder(kept))
        return kept;
    return documentsFolder();
}

void remember(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    writeSetting(QString::fromLatin1(kAppTitle), kSection, kKey, QFileInfo(chosenPath).absolutePath());
}

} // namespace DataFolder
