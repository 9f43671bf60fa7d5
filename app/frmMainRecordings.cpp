// File > Recordings...: the recordings of the data folder. A row chosen
// there opens as Open opens a chosen file.
#include "app/frmMain.h"

#include "data/AbpmReportSource.h"
#include "data/FileCommands.h"
#include "platform/Seams.h"
#include "print/RecordingsComparison.h"
#include "text/MessageCatalogue.h"
#include "views/SingleWindow.h"
#include "views/frmRecordings.h"

#include <QDir>

void frmMain::mnuFileRecordings_Click()
{
    showRecordings();
}

frmRecordings* frmMain::showRecordings()
{
    const QPointer<frmRecordings> before = m_recordings;
    frmRecordings* window = showSingleWindow(m_recordings);
    if (window && window != before) {
        connect(window, &frmRecordings::openRequested, this,
                [this](const QString& path) { FileCommands::openPath(path, this); });
        connect(window, &frmRecordings::compareRequested, this,
                [this, window](const QStringList& paths) { compareRecordings(window, paths); });
    }
    return window;
}

// The chosen files are read afresh, not taken from the index: the page
// shows each file as it is now. One that cannot be read is named and
// nothing is shown.
void frmMain::compareRecordings(QWidget* parent, const QStringList& paths)
{
    std::vector<AbpmReportSource> sources;
    for (const QString& path : paths) {
        QString why;
        std::optional<AbpmReportSource> source = readAbpmReportSourceAt(path, &why);
        if (!source) {
            showMessage(parent, catText("compare.msgUnreadable").arg(QDir::toNativeSeparators(path), why),
                        MsgButtons::Ok, MsgIcon::Warning, catText("compare.caption"));
            return;
        }
        sources.push_back(std::move(*source));
    }
    showRecordingsComparison(parent, sources, chosenPrinter());
}
