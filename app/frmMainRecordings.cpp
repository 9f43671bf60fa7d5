// File > Recordings...: the recordings of the data folder. A row chosen
// there opens as Open opens a chosen file.
#include "app/frmMain.h"

#include "data/FileCommands.h"
#include "views/SingleWindow.h"
#include "views/frmRecordings.h"

void frmMain::mnuFileRecordings_Click()
{
    showRecordings();
}

frmRecordings* frmMain::showRecordings()
{
    const QPointer<frmRecordings> before = m_recordings;
    frmRecordings* window = showSingleWindow(m_recordings);
    if (window && window != before)
        connect(window, &frmRecordings::openRequested, this,
                [this](const QString& path) { FileCommands::openPath(path, this); });
    return window;
}
