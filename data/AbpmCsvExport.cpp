#include "data/AbpmCsvExport.h"

#include "data/AbpmCsv.h"
#include "data/AbpmSettings.h"
#include "data/CurrentDataFile.h"
#include "data/DataMessages.h"
#include "data/AbpmSummary.h"
#include "data/RecordingDetailsStore.h"
#include "platform/Connection.h"
#include "platform/FileSystem.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "state/SharedState.h"
#include "text/MessageCatalogue.h"

#include <QFile>
#include <QFileInfo>

namespace AbpmCsvExport {

namespace {

QString chooseTarget(QWidget* parent)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = catText("abpm.dlgExportTitle");
    request.filter = catText("abpm.dlgCsvFilter");
    request.defaultSuffix = QStringLiteral("csv");
    request.overwritePrompt = false; // asked below, in the program's words
    const QFileInfo data(gDataFile);
    request.directory = data.absolutePath();
    request.fileName = data.completeBaseName() + QStringLiteral(".csv");
    return seams().fileDialog(parent, request);
}

// A database (a data file, the template, any other) is never replaced by text.
bool isDatabase(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

// Why the target must not be written, or empty.
QString refusal(const QString& path)
{
    const FileSystem files;
    if (files.isOtherThanFile(path))
        return catText("data.reasonNotAFile");
    if (sameFile(path, gDataFile) || (files.fileExists(path) && isDatabase(path)))
        return catText("abpm.reasonIsDatabase");
    return QString();
}

} // namespace

void exportCsv(QWidget* parent)
{
    const QString path = chooseTarget(parent);
    if (path.isEmpty())
        return;
    if (const QString why = refusal(path); !why.isEmpty()) {
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
        return;
    }
    if (FileSystem().fileExists(path)) {
        const MsgAnswer answer = showMessage(
            parent, catText("frmMain.msgFilePrefix") + path + catText("frmMain.msgExistsOverwrite"),
            MsgButtons::YesNo, MsgIcon::Question, catText("frmMain.caption"));
        if (answer != MsgAnswer::Yes)
            return;
    }
    // Opening the file afresh, when it must be, says itself why it failed.
    const std::shared_ptr<Recordset> records = CurrentDataFile::records();
    if (!records)
        return;
    QString why;
    const std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*records, &why);
    // The diary's periods decide WAKE when the details give them, as in the summary.
    const RecordingDetails details =
        RecordingDetailsStore::read(*records->connection()).value_or(RecordingDetails{});
    const AbpmPeriods periods = details.hasDiary() ? diaryPeriods(details.bedtime, details.wakeUp)
                                                   : AbpmSettings::load().inForce();
    if (!readings
        || !AbpmCsv::write(path, *readings, periods, AbpmCsv::subjectOf(details.patientNumber, gDataFile), &why))
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
}

} // namespace AbpmCsvExport
