// Makes the data-file template new.amb of an edition with the program's own
// schema code: table ambpdata with the edition's columns and no rows,
// marked hidden so that it is never taken for a data file.
//
//   korvane-amb-template en|de <path>
#include "data/AmbSchema.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("en") && args[1] != QLatin1String("de"))) {
        std::fprintf(stderr, "usage: korvane-amb-template en|de <path>\n");
        return 2;
    }
    const EditionId edition = args[1] == QLatin1String("de") ? EditionId::German : EditionId::English;
    const QString path = args[2];
    QFile::remove(path);
    QString why;
    if (!AmbSchema::createDataFile(path, edition, &why)) {
        std::fprintf(stderr, "korvane-amb-template: %s: %s\n", qPrintable(path), qPrintable(why));
        return 1;
    }
    FileSystem().setAttributes(path, FileSystem::Hidden);
    return 0;
}
