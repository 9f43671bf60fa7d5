#pragma once
// Seams for tests: messages and file dialogs are answered from scripts,
// modal windows are handed to a callback, beeps are counted and the clock
// can be set. Installed for the lifetime of the object.
#include "platform/Seams.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

struct ShownMessage {
    QString title;
    QString text;
    MsgButtons buttons;
    MsgIcon icon;
};

class ScriptedSeams final : public Seams {
public:
    ScriptedSeams();
    ~ScriptedSeams() override;

    // Answers for the next message boxes, in order. When none is left a box
    // is answered with its first button and counted in unexpectedMessages.
    std::deque<MsgAnswer> answers;
    std::vector<ShownMessage> messages;
    int unexpectedMessages = 0;
    // Called while a message box is "open" (tests can look at state then).
    std::function<void(const ShownMessage&)> onMessage;

    // Paths for the next file dialogs; an empty text means Cancel.
    std::deque<QString> filePaths;
    std::vector<FileDialogRequest> fileRequests;

    // Answers modal windows; without it a modal window is rejected.
    std::function<int(QDialog*)> modalHandler;
    int modalCount = 0;

    // Printer dialog: accepted unless set false; the printer is pointed at
    // this PDF file when it is not empty.
    bool acceptPrinterDialog = true;
    QString printerPdfPath;
    // Whether a printer is installed: no, unless a test says so, so that no
    // test reaches a real printer.
    bool hasPrinter = false;

    int beeps = 0;
    QDateTime clock; // invalid: the real time

    // Every program the code tried to start, with its arguments. Only the
    // programs named in startablePrograms start; the others are refused,
    // as a program that is not installed.
    struct ProgramStart {
        QString program;
        QStringList arguments;
    };
    std::vector<ProgramStart> programStarts;
    QStringList startablePrograms;

    QString lastMessageText() const;
    QStringList messageTexts() const;

    MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString fileDialog(QWidget* parent, const FileDialogRequest& request) override;
    int execModal(QDialog* dialog) override;
    bool printerDialog(QWidget* parent, QPrinter* printer) override;
    bool printerInstalled() override { return hasPrinter; }
    void beep() override { ++beeps; }
    QDateTime now() override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
};
