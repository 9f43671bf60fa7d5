#include "support/ScriptedSeams.h"

#include <QDialog>
#include <QPrinter>

ScriptedSeams::ScriptedSeams()
{
    installSeams(this);
}

ScriptedSeams::~ScriptedSeams()
{
    installSeams(nullptr);
}

QString ScriptedSeams::lastMessageText() const
{
    return messages.empty() ? QString() : messages.back().text;
}

QStringList ScriptedSeams::messageTexts() const
{
    QStringList texts;
    for (const ShownMessage& m : messages)
        texts << m.text;
    return texts;
}

MsgAnswer ScriptedSeams::message(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon,
                                 const QString& title)
{
    const ShownMessage shown{title, text, buttons, icon};
    messages.push_back(shown);
    if (onMessage)
        onMessage(shown);
    if (!answers.empty()) {
        const MsgAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    ++unexpectedMessages;
    switch (buttons) {
    case MsgButtons::Ok:
    case MsgButtons::OkCancel: return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
    case MsgButtons::RetryCancel: return MsgAnswer::Retry;
    }
    return MsgAnswer::Ok;
}

QString ScriptedSeams::fileDialog(QWidget*, const FileDialogRequest& request)
{
    fileRequests.push_back(request);
    if (filePaths.empty())
        return {};
    const QString path = filePaths.front();
    filePaths.pop_front();
    return path;
}

int ScriptedSeams::execModal(QDialog* dialog)
{
    ++modalCount;
    if (modalHandler)
        return modalHandler(dialog);
    dialog->reject();
    return QDialog::Rejected;
}

bool ScriptedSeams::printerDialog(QWidget*, QPrinter* printer)
{
    if (!printerPdfPath.isEmpty()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printerPdfPath);
    }
    return acceptPrinterDialog;
}

QDateTime ScriptedSeams::now()
{
    return clock.isValid() ? clock : QDateTime::currentDateTime();
}

bool ScriptedSeams::startProgram(const QString& program, const QStringList& arguments)
{
    programStarts.push_back({program, arguments});
    return startablePrograms.contains(program);
}
