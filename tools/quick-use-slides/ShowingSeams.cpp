#include "tools/quick-use-slides/ShowingSeams.h"

#include "platform/SeamDialogs.h"

#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

void settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

ShowingSeams::ShowingSeams()
{
    installSeams(this);
}

ShowingSeams::~ShowingSeams()
{
    installSeams(nullptr);
}

QDateTime ShowingSeams::fixedNow()
{
    return QDateTime(QDate(2024, 5, 14), QTime(16, 45));
}

MsgAnswer ShowingSeams::message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                                const QString& title)
{
    if (!expectedMessages.contains(text))
        unexpectedMessages << text;
    const std::unique_ptr<QMessageBox> box = buildMessageBox(parent, text, buttons, icon, title);
    box->show();
    settle(100);
    if (onShown)
        onShown(text);
    box->hide();
    switch (buttons) {
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
    case MsgButtons::RetryCancel: return MsgAnswer::Cancel;
    default: return MsgAnswer::Ok;
    }
}

QString ShowingSeams::fileDialog(QWidget* parent, const FileDialogRequest& request)
{
    const std::unique_ptr<QFileDialog> dialog = buildFileDialog(parent, request);
    dialog->selectFile(fileName);
    dialog->show();
    settle(300);
    if (onShown)
        onShown(request.title);
    dialog->hide();
    return dialog->directory().filePath(fileName);
}

int ShowingSeams::execModal(QDialog* dialog)
{
    dialog->reject();
    return QDialog::Rejected;
}
