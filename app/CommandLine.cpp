#include "app/CommandLine.h"

#include "app/HelpContents.h"

#include "data/AmbFileCheck.h"
#include "data/FileCommands.h"
#include "text/Edition.h"
#include "platform/FileSystem.h"
#include "text/VersionBlock.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstring>

namespace {

// One line of the report: what, where, and whether it is usable.
bool report(QTextStream& out, const char* what, const QString& path, const QString& problem)
{
    out << what << ": " << QDir::toNativeSeparators(path);
    if (!problem.isEmpty())
        out << " - " << problem;
    out << '\n';
    return problem.isEmpty();
}

// The template serves when it is a data file of this edition and a copy
// of it, made as New makes one, is one too.
QString templateProblem(const QString& templatePath)
{
    const AmbFileStatus status = AmbFileCheck::check(templatePath);
    if (!status.ok())
        return status.reasonText();
    QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("check.amb"));
    QString why;
    if (!scratch.isValid() || !FileSystem().copyFile(templatePath, copy, &why))
        return why.isEmpty() ? scratch.errorString() : why;
    const AmbFileStatus made = AmbFileCheck::check(copy);
    return made.ok() ? QString() : made.reasonText();
}

} // namespace

CommandLineMode commandLineMode(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0)
            return CommandLineMode::Version;
        if (std::strcmp(argv[i], "--check-install") == 0)
            return CommandLineMode::CheckInstall;
    }
    return CommandLineMode::Run;
}

int printVersion()
{
    QTextStream(stdout) << versionText();
    return 0;
}

int checkInstall(const QString& translationsFile)
{
    QTextStream out(stdout);
    bool ok = true;

    const QString templatePath = FileCommands::templatePath();
    ok &= report(out, "template", templatePath, templateProblem(templatePath));

    const QString helpPath = HelpContents::helpFilePath();
    ok &= report(out, "help file", helpPath,
                 QFileInfo(helpPath).isFile() ? QString() : QStringLiteral("not found"));

    if (Edition::current().isGerman()) {
        const bool found = !translationsFile.isEmpty();
        ok &= report(out, "Qt translations", found ? translationsFile : QStringLiteral("qtbase_de"),
                     found ? QString() : QStringLiteral("not found"));
    }
    return ok ? 0 : 1;
}
