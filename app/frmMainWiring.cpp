// Where the main window reaches the rest of the program: the file commands
// and the windows its commands open. Each function is the one place where
// its command hands over.
//
// Not wired yet, because their parts are not in the program yet: the file
// commands (New, Open, Save, Close and closing the data file), the reading,
// record editor, list, trend chart, bar chart, ECG, serial settings and
// report windows, help contents, quick use and about. Until then each
// command does only what comes before the hand-over (its readiness check).
#include "app/frmMain.h"

#include "app/SharedState.h"

void frmMain::runFileNew() {}

void frmMain::runFileOpen() {}

void frmMain::runFileSave()
{
    // Save refuses without a ready file before it asks for a name.
    fileReadyOrRefuse("frmMain.msgNotReadySave");
}

void frmMain::runFileClose() {}

void frmMain::closeRecordsetAndConnection()
{
    // The record set first, then its connection.
    gRecordset.reset();
    gConnection.reset();
}

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
