// Where the main window reaches the rest of the program: the file commands
// and the windows its commands open. Each function is the one place where
// its command hands over.
//
// Not wired yet, because their windows are not in the program yet: the
// reading, record editor, list, trend chart, bar chart, ECG, serial settings
// and report windows, help contents, quick use and about. Until then each
// command does only what comes before the hand-over (its readiness check).
#include "app/frmMain.h"

#include "app/LoadedWindows.h"
#include "data/FileCommands.h"

void frmMain::wireFileCommands()
{
    // The hooks outlive no window: a closed and deleted main window is skipped.
    const QPointer<frmMain> self(this);
    FileCommandWindows windows;
    windows.showList = [self] { if (self) self->showListWindow(); };
    windows.closeList = [self] { if (self) self->closeListWindow(); };
    windows.showRead = [self] { if (self) self->showReadWindow(); };
    windows.closeDataWindows = [self] { LoadedWindows::instance().closeAllExcept(self); };
    setFileCommandWindows(windows);
}

void frmMain::runFileNew()
{
    FileCommands::newFile(this);
}

void frmMain::runFileOpen()
{
    FileCommands::openFile(this);
}

void frmMain::runFileSave()
{
    // Save refuses by itself when no file is ready.
    FileCommands::saveFile(this);
}

void frmMain::runFileClose()
{
    FileCommands::closeFile(this);
}

void frmMain::closeRecordsetAndConnection()
{
    // The record set first, then its connection.
    closeDatabase();
}

void frmMain::closeListWindow() {}

void frmMain::showReadWindow() {}

void frmMain::showRecordEditor() {}

void frmMain::showListWindow() {}

void frmMain::showTrendChart() {}

void frmMain::showBarChart() {}

void frmMain::showWaveformWindow() {}

void frmMain::showCommSettings() {}

void frmMain::showListReport() {}

void frmMain::showHelpContents() {}

void frmMain::showQuickUse() {}

void frmMain::showAbout() {}
