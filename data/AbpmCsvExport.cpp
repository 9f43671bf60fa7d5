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

// A database (a data file, the template, any other) is never replaced by text.
bool isDatabase(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(16) == QByteArray("SQLite format 3", 16);
}

} // namespace

QString chooseTarget(QWidget* parent, const char* titleKey, const char* filterKey, const QString& suffix)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = catText(titleKey);
    request.filter = catText(filterKey);
    request.defaultSuffix = suffix;
    request.overwritePrompt = false; // asked by confirmReplace, in the program's words
    const QFileInfo data(gDataFile);
    request.directory = data.absolutePath();
    request.fileName = data.completeBaseName() + QLatin1Char('.') + suffix;
    return seams().fileDialog(parent, request);
}

QString refusalOf(const QString& path)
{
    const FileSystem files;
    if (files.isOtherThanFile(path))
        return catText("data.reasonNotAFile");
    if (sameFile(path, gDataFile) || (files.fileExists(path) && isDatabase(path)))
        return catText("abpm.reasonIsDatabase");
    return QString();
}

bool confirmReplace(QWidget* parent, const QString& path)
{
    if (!FileSystem().fileExists(path))
        return true;
    return showMessage(parent, catText("frmMain.msgFilePrefix") + path + catText("frmMain.msgExistsOverwrite"),
                       MsgButtons::YesNo, MsgIcon::Question, catText("frmMain.caption"))
        == MsgAnswer::Yes;
}

void exportCsv(QWidget* parent)
{
    const QString path = chooseTarget(parent, "abpm.dlgExportTitle", "abpm.dlgCsvFilter", QStringLiteral("csv"));
    if (path.isEmpty())
        return;
    if (const QString why = refusalOf(path); !why.isEmpty()) {
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
        return;
    }
    if (!confirmReplace(parent, path))
        return;
    // Opening the file afresh, when it must be, says itself why it failed.
    const std::shared_ptr<Recordset> records = CurrentDataFile::records();
    if (!records)
        return;
    QString why;
    const std::optional<std::vector<AbpmReading>> readings = abpmReadingsOf(*records, &why);
    // WAKE says whether the patient was awake: by the diary when the details
    // give it, else by the wide day and night, even while the summary uses
    // the narrow periods.
    const RecordingDetails details =
        RecordingDetailsStore::read(*records->connection()).value_or(RecordingDetails{});
    const AbpmPeriods periods = details.hasDiary() ? diaryPeriods(details.bedtime, details.wakeUp)
                                                   : AbpmSettings::load().own;
    if (!readings
        || !AbpmCsv::write(path, *readings, periods, AbpmCsv::subjectOf(details.patientNumber, gDataFile), &why))
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
}

} // namespace AbpmCsvExport
