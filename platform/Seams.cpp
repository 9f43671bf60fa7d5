#include "platform/Seams.h"

#include "platform/SeamDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>

namespace {

class RealSeams final : public Seams {
public:
    MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override
    {
        const std::unique_ptr<QMessageBox> box = buildMessageBox(parent, text, buttons, icon, title);
        switch (box->exec()) {
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

    QString fileDialog(QWidget* parent, const FileDialogRequest& request) override
    {
        const std::unique_ptr<QFileDialog> dialog = buildFileDialog(parent, request);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return {};
        return dialog->selectedFiles().constFirst();
    }

    int execModal(QDialog* dialog) override { return dialog->exec(); }

    bool printerDialog(QWidget* parent, QPrinter* printer) override
    {
        QPrintDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    void beep() override { QApplication::beep(); }

    QDateTime now() override { return QDateTime::currentDateTime(); }

    bool startProgram(const QString& program, const QStringList& arguments) override
    {
        // Detached: the program outlives this one and is never waited for.
        return QProcess::startDetached(program, arguments);
    }
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

bool Seams::startProgram(const QString&, const QStringList&)
{
    return false;
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
