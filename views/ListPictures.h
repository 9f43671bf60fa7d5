#pragma once
// The small pictures of the data list window's and the record editor's
// buttons, drawn at run time: no image files are shipped for them.
#include <QIcon>
#include <QString>

namespace ListPictures {

// Picture of a command button by its control name ("cmdPrint", "cmdSort",
// "cmdbar", "cmdRead", "cmdEdit", "cmdAdd", "cmdCancel", "cmdDelete",
// "cmdUpdate", "cmdRefresh", "cmdClose", "cmdAbpm"); an unknown name gives a
// plain frame.
QIcon commandIcon(const QString& controlName);

// Pictures of the navigation buttons: "cmdFirst", "cmdPrevious", "cmdNext", "cmdLast".
QIcon navigationIcon(const QString& controlName);

} // namespace ListPictures
