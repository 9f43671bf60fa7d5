#include "platform/QtLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace QtLanguage {

QString germanTranslationsFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

QString apply(EditionId edition)
{
    if (edition != EditionId::German)
        return QString();
    // Dates, times and numbers the windows leave to the platform.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"), germanTranslationsFolder())) {
        delete translator;
        return QString();
    }
    QCoreApplication::installTranslator(translator);
    return translator->filePath();
}

} // namespace QtLanguage
