#pragma once
// Opening a help file (CHM) in a viewer program of the platform. The
// viewers are tried in order, each through the seams, with the file's path
// as its one argument (never through a shell), and not waited for: a
// configured viewer first, then the platform's own (hh on Windows; xchm,
// then kchmviewer elsewhere). The first that starts wins.
#include <QString>
#include <QStringList>

namespace HelpViewer {

// The viewers in the order they are tried. A blank configured viewer
// counts as none; one that is also a platform viewer is tried only once.
QStringList candidates(const QString& configured);

// Starts the first candidate that starts with helpFile; returns its name,
// or an empty text when none could be started.
QString open(const QString& helpFile, const QString& configured);

} // namespace HelpViewer
