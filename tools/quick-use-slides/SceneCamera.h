#pragma once
// Takes pictures of the program as a person sees it on the screen: the
// main window with every window of the program that is shown over it,
// each where it stands and the newest on top, with a title bar drawn
// above each (the offscreen platform draws no window frames).
#include <QImage>

class QWidget;

namespace SceneCamera {

QImage photograph(const QWidget* mainWindow);

} // namespace SceneCamera
