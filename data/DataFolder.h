#pragma once
// Where the New, Open and Save dialogs start: in the folder a data file was
// last chosen in (kept in the settings store, section "Folders", key
// "DataFiles"), or the user's documents folder the first time, when that
// folder is gone, or when it is the program's own folder (where the
// template lies, often not writable): data files are the user's, not the
// program's.
#include <QString>

namespace DataFolder {

// The folder a file dialog for data files starts in.
QString startFolder();

// Keeps the folder of a chosen data file for the next dialog. A store that
// cannot be written is no reason to stop the command: the folder is then
// not kept.
void remember(const QString& chosenPath);

} // namespace DataFolder
