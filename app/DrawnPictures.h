#pragma once
// The pictures of the shell windows, drawn at run time: the toolbar button
// images (one per button key), the splash picture and the password window's
// picture. No image files are shipped for them.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace DrawnPictures {

// Image of the toolbar button with this key ("New", "Open", ... "ECG");
// an unknown key gives a plain frame.
QIcon toolbarIcon(const QString& key);
QPixmap splashPicture();
QPixmap loginPicture();

} // namespace DrawnPictures
