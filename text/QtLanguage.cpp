#include "text/QtLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

namespace {

const QByteArray kGerman = "de_DE.UTF-8";

// The locale the C library and Qt take for a category: LC_ALL, the
// category's own variable, then LANG.
QByteArray effective(const char* category)
{
    for (const char* name : {"LC_ALL", category, "LANG"})
        if (!qgetenv(name).isEmpty())
            return qgetenv(name);
    return QByteArray();
}

} // namespace

namespace QtLanguage {

void prepare(EditionId edition)
{
    if (edition != EditionId::German)
        return;
    const bool timeGerman = effective("LC_TIME").startsWith("de");
    const bool numbersGerman = effective("LC_NUMERIC").startsWith("de");
    if (timeGerman && numbersGerman)
        return;
    // LC_ALL would hide the two categories: the rest keeps its value as LANG.
    if (!qgetenv("LC_ALL").isEmpty()) {
        qputenv("LANG", qgetenv("LC_ALL"));
        qunsetenv("LC_ALL");
    }
    if (!timeGerman)
        qputenv("LC_TIME", kGerman);
    if (!numbersGerman)
        qputenv("LC_NUMERIC", kGerman);
}

QString apply(EditionId edition)
{
    if (edition != EditionId::German)
        return QString();
    // Dates, times and numbers the windows leave to the platform.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    // The application object set the C library's locale from the
    // environment: its number conversions stay the same in every edition.
    std::setlocale(LC_NUMERIC, "C");

    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return QString();
    }
    QCoreApplication::installTranslator(translator);
    return translator->filePath();
}

} // namespace QtLanguage
