#include "platform/SeamDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

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

} // namespace

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, const QString& text, MsgButtons buttons,
                                             MsgIcon icon, const QString& title)
{
    return std::make_unique<QMessageBox>(boxIcon(icon), title, text, standardButtons(buttons), parent);
}

std::unique_ptr<QFileDialog> buildFileDialog(QWidget* parent, const FileDialogRequest& r)
{
    auto dialog = std::make_unique<QFileDialog>(parent, r.title, r.directory, r.filter);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
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
