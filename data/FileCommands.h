#pragma once
// The four file commands of the main window: New, Open, Save and Close.
// They decide which data file is current (gDataFile, gFileReady,
// gSaveAsFile and the File and Records panels); the records themselves are
// opened by the record cursor when a data window loads.
//
// The windows the commands show are handed in as hooks, so that the
// commands do not depend on the windows' classes.
#include <QString>

#include <functional>

class QWidget;

struct FileCommandWindows {
    std::function<void()> showList;         // show the data list window (loads it if needed)
    std::function<void()> closeList;        // unload the data list window
    std::function<void()> showRead;         // show the blood-pressure reading window
    std::function<void()> closeDataWindows; // close every window but the main window, newest first
};

void setFileCommandWindows(const FileCommandWindows& windows);

class FileCommands {
public:
    // New: creates a data file from the template new.amb of the current
    // folder, or opens the chosen file when it exists. The dialog proposes
    // proposedName (a path) when one is given.
    static void newFile(QWidget* parent = nullptr, const QString& proposedName = QString());
    // Opens a file that exists without asking for it, as Open does once chosen.
    static void openPath(const QString& path, QWidget* parent = nullptr);
    // Open: opens the chosen file, or creates it from the template.
    static void openFile(QWidget* parent = nullptr);
    // Save: copies the current file to another path and makes the copy current.
    static void saveFile(QWidget* parent = nullptr);
    // Close: forgets the current file and closes every data window.
    static void closeFile(QWidget* parent = nullptr);
    // A new data file for readings that could not be stored elsewhere: asks
    // for a name that is not taken, makes the file from the template and
    // makes it the current file with its record set. False when cancelled
    // or when it could not be made (said so); nothing changes then.
    static bool newFileForReadings(QWidget* parent = nullptr);

    // Path of the template: the current working directory + "/new.amb".
    static QString templatePath();
};

// Closes gRecordset and then gConnection, silently (main window unload).
void closeDatabase();
