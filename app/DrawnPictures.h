#pragma once
// The pictures of the shell windows, drawn at run time: the toolbar button
// images (one per button key), the splash and about picture, the password
// window's picture and the slide show's navigation arrows. No image files
// are shipped for them.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace DrawnPictures {

// Image of the toolbar button with this key ("New", "Open", ... "ECG");
// an unknown key gives a plain frame.
QIcon toolbarIcon(const QString& key);
QPixmap splashPicture();
QPixmap loginPicture();

enum class NavigationArrow { First, Previous, Next, Last };
// An arrow to the start or end (with a bar) or one step back or on.
QIcon navigationIcon(NavigationArrow arrow);

} // namespace DrawnPictures
