#pragma once
// Every modal or outside-world thing the windows need goes through this one
// interface, so tests can answer it without a person and without a real
// printer, clock, speaker or other program.
#include <QDateTime>
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;
class QWidget;

enum class MsgIcon { Information, Question, Warning, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QString directory;
    QString fileName;     // proposed name
    QString filter;       // Qt filter text, e.g. "AMB files (*.amb)"
    QString defaultSuffix;
    bool overwritePrompt = false;
    bool fileMustExist = false;
};

class Seams {
public:
    virtual ~Seams() = default;

    // A message box; an empty title means the application title.
    virtual MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons,
                              MsgIcon icon, const QString& title) = 0;
    // Returns the chosen path, or an empty text when the user cancelled.
    virtual QString fileDialog(QWidget* parent, const FileDialogRequest& request) = 0;
    // Runs a modal window (the password window, print preview, ...) and returns its result.
    virtual int execModal(QDialog* dialog) = 0;
    // The printer set-up dialog; false when the user cancelled.
    virtual bool printerDialog(QWidget* parent, QPrinter* printer) = 0;
    // Whether the system has a printer at all (without one, printing offers
    // a PDF file instead).
    virtual bool printerInstalled();
    virtual void beep() = 0;
    virtual QDateTime now() = 0;
    // Starts another program with these arguments, each handed over as it
    // stands (never through a shell), and returns at once without waiting
    // for it. False when the program could not be started. Seams that start
    // nothing (most test seams) refuse every program.
    virtual bool startProgram(const QString& program, const QStringList& arguments);
};

// The seams in use: the real ones unless a test installed its own.
Seams& seams();
// Installs replacement seams (not owned); nullptr goes back to the real ones.
void installSeams(Seams* replacement);

// Shortcut for the common case: a message titled with the given caption.
MsgAnswer showMessage(QWidget* parent, const QString& text, MsgButtons buttons = MsgButtons::Ok,
                      MsgIcon icon = MsgIcon::Information, const QString& title = QString());
