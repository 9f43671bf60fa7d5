#include "platform/Seams.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

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

class RealSeams final : public Seams {
public:
    MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override
    {
        QMessageBox box(boxIcon(icon), title, text, standardButtons(buttons), parent);
        switch (box.exec()) {
        case QMessageBox::Yes: return MsgAnswer::Yes;
        case QMessageBox::No: return MsgAnswer::No;
        case QMessageBox::Retry: return MsgAnswer::Retry;
        case QMessageBox::Cancel: return MsgAnswer::Cancel;
        case QMessageBox::Ok: return MsgAnswer::Ok;
        default: break;
        }
        // Closed with the close box or Escape: the gentlest answer the box offers.
        switch (buttons) {
        case MsgButtons::Ok: return MsgAnswer::Ok;
        case MsgButtons::YesNo: return MsgAnswer::No;
        default: return MsgAnswer::Cancel;
        }
    }

    QString fileDialog(QWidget* parent, const FileDialogRequest& r) override
    {
        QFileDialog dialog(parent, r.title, r.directory, r.filter);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (r.kind == FileDialogRequest::Kind::Save) {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.overwritePrompt);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(r.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        }
        if (!r.defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(r.defaultSuffix);
        if (!r.fileName.isEmpty())
            dialog.selectFile(r.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    int execModal(QDialog* dialog) override { return dialog->exec(); }

    bool printerDialog(QWidget* parent, QPrinter* printer) override
    {
        QPrintDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    void beep() override { QApplication::beep(); }

    QDateTime now() override { return QDateTime::currentDateTime(); }
};

RealSeams& realSeams()
{
    static RealSeams instance;
    return instance;
}

Seams* g_installed = nullptr;

} // namespace

bool Seams::printerInstalled()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

Seams& seams()
{
    return g_installed ? *g_installed : realSeams();
}

void installSeams(Seams* replacement)
{
    g_installed = replacement;
}

MsgAnswer showMessage(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title)
{
    const QString shownTitle = title.isEmpty() ? QStringLiteral("KORVANE") : title;
    return seams().message(parent, text, buttons, icon, shownTitle);
}
