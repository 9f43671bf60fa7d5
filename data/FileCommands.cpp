#include "data/FileCommands.h"

#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "data/AmbFileCheck.h"
#include "data/AmbSchema.h"
#include "data/DataFileCopy.h"
#include "data/DataFolder.h"
#include "data/DataMessages.h"
#include "data/CurrentDataFile.h"
#include "platform/Connection.h"
#include "platform/FileSystem.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QDir>

namespace {

FileCommandWindows g_windows;

const FileSystem& fileSystem()
{
    static const FileSystem local;
    return gFileSystem ? *gFileSystem : local;
}

void call(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

// Asks for a file; an empty text is Cancel (or an empty name). The dialog
// starts where data files were last chosen and never lists the template.
QString chooseFile(QWidget* parent, FileDialogRequest::Kind kind, const char* titleKey,
                   const QString& proposedName = QString())
{
    FileDialogRequest request;
    request.fileName = proposedName;
    request.kind = kind;
    request.title = catText(titleKey);
    request.directory = DataFolder::startFolder();
    request.filter = catText("frmMain.dlgFilter");
    request.overwritePrompt = false; // Save asks itself
    request.fileMustExist = false;   // a new name creates a file
    request.unlistedFiles = {FileCommands::templatePath()};
    const QString path = seams().fileDialog(parent, request);
    DataFolder::remember(path);
    return path;
}

// The template mark: exactly the attribute hidden. A file system without
// attributes keeps no mark, so the template's own path counts as well.
bool isTemplate(const QString& path)
{
    return fileSystem().attributes(path) == FileSystem::Hidden
        || sameFile(path, FileCommands::templatePath());
}

void setNoFile()
{
    gDataFile.clear();
    gFileReady = false;
    MainStatusPanels::instance().setFile(QString());
    emit StateNotifier::instance().dataFileChanged();
}

void setFileReady(const QString& path)
{
    gDataFile = path;
    MainStatusPanels::instance().setFile(gDataFile);
    gFileReady = true;
    emit StateNotifier::instance().dataFileChanged();
}

// Something that is not a data file stands at the path (a folder, a FIFO,
// a device, a link that leads nowhere): it is never replaced by a new file.
bool refuseOtherThanFile(QWidget* parent, const QString& path)
{
    if (!fileSystem().isOtherThanFile(path))
        return false;
    showFileMessage(parent, catText("data.msgCannotOpen").arg(path, catText("data.reasonNotAFile")));
    return true;
}

void refuseTemplate(QWidget* parent, const QString& path)
{
    showFileMessage(parent, catText("frmMain.msgFilePrefixSystem") + path + catText("frmMain.msgSystemFile"));
    setNoFile();
}

// A file that cannot be opened is named with the reason; the state is then
// No file and the file is left as it is.
bool acceptExisting(QWidget* parent, const QString& path)
{
    const AmbFileStatus status = AmbFileCheck::check(path);
    if (status.ok())
        return true;
    showCannotOpenMessage(path, status, parent);
    setNoFile();
    MainStatusPanels::instance().setText(MainStatusPanels::Records, QString());
    return false;
}

// Records read from now on must go into the file the File panel shows: when
// the shared record set is on another file (the list window was already open
// and did not load again, or Save made a copy current), it is opened afresh.
void ensureRecordsetOnCurrentFile()
{
    if (gFileReady)
        CurrentDataFile::records();
}

// New and Open on a file that exists: the template is refused, a file that
// cannot be opened is named with the reason, any other becomes current and
// is shown in the list window.
void openExisting(QWidget* parent, const QString& path)
{
    if (isTemplate(path)) {
        refuseTemplate(parent, path);
        return;
    }
    if (!acceptExisting(parent, path))
        return;
    setFileReady(path);
    call(g_windows.showList);
    ensureRecordsetOnCurrentFile();
}

// Copies the template to path. False after saying why; nothing changes then.
bool createFromTemplate(QWidget* parent, const QString& path, const char* missingKey)
{
    const QString source = FileCommands::templatePath();
    if (!fileSystem().fileExists(source)) {
        showFileMessage(parent, catText(missingKey));
        return false;
    }
    // A damaged template would make damaged data files.
    const AmbFileStatus status = AmbFileCheck::check(source);
    if (!status.ok()) {
        showCannotOpenMessage(source, status, parent);
        return false;
    }
    QString why;
    if (!fileSystem().copyFile(source, path, &why)) {
        showFileMessage(parent, catText("data.msgCannotCreate").arg(path, why));
        return false;
    }
    fileSystem().setAttributes(path, FileSystem::Normal);
    return true;
}

} // namespace

void setFileCommandWindows(const FileCommandWindows& windows)
{
    g_windows = windows;
}

QString FileCommands::templatePath()
{
    return QDir::currentPath() + QLatin1Char('/') + QLatin1String(AmbSchema::kTemplateName);
}

void FileCommands::newFile(QWidget* parent, const QString& proposedName)
{
    // Mark the template so that it is never taken for a data file.
    if (fileSystem().fileExists(templatePath()))
        fileSystem().setAttributes(templatePath(), FileSystem::Hidden);

    const QString path = chooseFile(parent, FileDialogRequest::Kind::Open, "frmMain.dlgNewTitle", proposedName);
    if (path.isEmpty() || refuseOtherThanFile(parent, path))
        return;

    if (fileSystem().fileExists(path)) {
        showFileMessage(parent, catText("frmMain.msgFilePrefix") + path + catText("frmMain.msgExistsOpenNow"));
        openExisting(parent, path);
        return;
    }

    showFileMessage(parent, catText("frmMain.msgFilePrefix") + path + catText("frmMain.msgNewIsNewFile"));
    if (!createFromTemplate(parent, path, "frmMain.msgNewTemplateMissing"))
        return;
    setFileReady(path);
    MainStatusPanels::instance().setRecordCount(0);
    // The list window's brief showing opens the new file's record set, into
    // which the reading window writes.
    call(g_windows.showList);
    call(g_windows.closeList);
    ensureRecordsetOnCurrentFile();
    if (gFileReady)
        call(g_windows.showRead);
}

void FileCommands::openPath(const QString& path, QWidget* parent)
{
    openExisting(parent, path);
}

void FileCommands::openFile(QWidget* parent)
{
    const QString path = chooseFile(parent, FileDialogRequest::Kind::Open, "frmMain.dlgOpenTitle");
    if (path.isEmpty() || refuseOtherThanFile(parent, path))
        return;

    if (fileSystem().fileExists(path)) {
        openExisting(parent, path);
        return;
    }

    showFileMessage(parent, catText("frmMain.msgFilePrefixOpen") + path + catText("frmMain.msgOpenIsNewFile"));
    if (!createFromTemplate(parent, path, "frmMain.msgOpenTemplateMissing"))
        return;
    setFileReady(path);
    call(g_windows.showList);
    ensureRecordsetOnCurrentFile();
}

void FileCommands::saveFile(QWidget* parent)
{
    if (!gFileReady) {
        showFileMessage(parent, catText("frmMain.msgFileNotReadySave"));
        return;
    }
    const QString path = chooseFile(parent, FileDialogRequest::Kind::Save, "frmMain.dlgSaveTitle");
    if (path.isEmpty())
        return;
    gSaveAsFile = path;

    // A copy onto itself would destroy the file it copies.
    if (sameFile(gDataFile, path)) {
        showFileMessage(parent, catText("data.msgSaveOntoItself").arg(path));
        return;
    }
    if (fileSystem().fileExists(path)) {
        const MsgAnswer answer = showMessage(
            parent, catText("frmMain.msgFilePrefix") + path + catText("frmMain.msgExistsOverwrite"),
            MsgButtons::YesNo, MsgIcon::Question, catText("frmMain.caption"));
        if (answer != MsgAnswer::Yes)
            return;
        // New files are made from the template: it is never overwritten.
        if (isTemplate(path)) {
            showFileMessage(parent, catText("data.msgSaveOntoSystemFile").arg(path));
            return;
        }
    }

    QString why;
    if (!DataFileCopy::copyDatabase(gDataFile, path, &why)) {
        showFileMessage(parent, catText("data.msgCannotSave").arg(path, why));
        return;
    }
    setFileReady(path);
    ensureRecordsetOnCurrentFile();
}

bool FileCommands::newFileForReadings(QWidget* parent)
{
    const QString path = chooseFile(parent, FileDialogRequest::Kind::Save, "frmMain.dlgNewTitle");
    if (path.isEmpty() || refuseOtherThanFile(parent, path))
        return false;
    if (fileSystem().fileExists(path)) {
        showFileMessage(parent, catText("data.msgNewFileExists").arg(path));
        return false;
    }
    if (!createFromTemplate(parent, path, "frmMain.msgNewTemplateMissing"))
        return false;
    setFileReady(path);
    MainStatusPanels::instance().setRecordCount(0);
    return CurrentDataFile::open();
}

void FileCommands::closeFile(QWidget*)
{
    // The data windows close first, while the file is still open: a reading
    // window holding received readings can then still offer to store them.
    // They close again at the end, for any window that storing opened.
    call(g_windows.closeDataWindows);
    if (gFileReady)
        closeDatabase();
    gDataFile.clear();
    gSaveAsFile.clear();
    gFileReady = false;
    MainStatusPanels::instance().setFile(QString());
    MainStatusPanels::instance().setText(MainStatusPanels::Records, QString());
    emit StateNotifier::instance().dataFileChanged();
    call(g_windows.closeDataWindows);
}

void closeDatabase()
{
    if (gRecordset)
        gRecordset->close();
    if (gConnection)
        gConnection->close();
}
