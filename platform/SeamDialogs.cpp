#include "platform/SeamDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStandardPaths>

namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok: return QMessageBox::Ok;
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::Information;
}

// Leaves some files out of a file dialog's lists.
class UnlistedFilesFilter : public QSortFilterProxyModel {
public:
    UnlistedFilesFilter(const QStringList& paths, QObject* parent)
        : QSortFilterProxyModel(parent)
    {
        for (const QString& path : paths) {
            const QFileInfo info(path);
            m_names.insert(info.fileName());
            m_paths.insert(info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath());
        }
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override
    {
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (!files)
            return true;
        const QModelIndex index = files->index(row, 0, parent);
        // Only a file of the same name can be one of them.
        if (!m_names.contains(files->fileName(index)))
            return true;
        return !m_paths.contains(QFileInfo(files->filePath(index)).canonicalFilePath());
    }

private:
    QSet<QString> m_names;
    QSet<QString> m_paths;
};

} // namespace

QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, const QString& text, MsgButtons buttons,
                                             MsgIcon icon, const QString& title)
{
    return std::make_unique<QMessageBox>(boxIcon(icon), title, text, standardButtons(buttons), parent);
}

std::unique_ptr<QFileDialog> buildFileDialog(QWidget* parent, const FileDialogRequest& r)
{
    // Without a folder, Qt would start in the current one: the program's.
    const QString directory = r.directory.isEmpty() ? documentsFolder() : r.directory;
    auto dialog = std::make_unique<QFileDialog>(parent, r.title, directory, r.filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    if (!r.unlistedFiles.isEmpty())
        dialog->setProxyModel(new UnlistedFilesFilter(r.unlistedFiles, dialog.get()));
    if (r.kind == FileDialogRequest::Kind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite, !r.overwritePrompt);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(r.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!r.defaultSuffix.isEmpty())
        dialog->setDefaultSuffix(r.defaultSuffix);
    if (!r.fileName.isEmpty())
        dialog->selectFile(r.fileName);
    return dialog;
}
