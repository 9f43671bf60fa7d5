#include "platform/HelpViewer.h"

#include "platform/Seams.h"

namespace {

QStringList platformViewers()
{
#ifdef Q_OS_WIN
    return {QStringLiteral("hh")};
#else
    // Debian packages both; xchm needs far less beside it.
    return {QStringLiteral("xchm"), QStringLiteral("kchmviewer")};
#endif
}

} // namespace

namespace HelpViewer {

QStringList candidates(const QString& configured)
{
    QStringList viewers;
    // A path may hold blanks inside; only those at its ends are dropped.
    const QString own = configured.trimmed();
    if (!own.isEmpty())
        viewers << own;
    for (const QString& viewer : platformViewers())
        if (!viewers.contains(viewer))
            viewers << viewer;
    return viewers;
}

QString open(const QString& helpFile, const QString& configured)
{
    for (const QString& viewer : candidates(configured))
        if (seams().startProgram(viewer, {helpFile}))
            return viewer;
    return {};
}

} // namespace HelpViewer
