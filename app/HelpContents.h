#pragma once
// The Help toolbar command: opens KORVANE.chm of the current folder in a
// help viewer (platform/HelpViewer.h; the setting HELPVIEWER names one to
// try first) and returns without waiting for it. A missing help file gives
// "No Help File !"; when no viewer starts, the message names the file and
// the viewers tried. Both are titled with the owner's caption.
#include <QString>

class QWidget;

namespace HelpContents {

// The current folder followed by "/KORVANE.chm".
QString helpFilePath();

void show(QWidget* owner);

} // namespace HelpContents
