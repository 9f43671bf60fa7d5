#pragma once
// Seams for taking the slide pictures: message boxes and file dialogs are
// the real ones (platform/SeamDialogs.h), shown without a modal loop while
// the picture is taken, then answered as a person following the quick-use
// steps would (Yes, OK, the file name given). The clock stands still, so
// the pictures show the same dates at every build. A message nobody
// expected is counted: the walk through the program went wrong.
#include "platform/Seams.h"

#include <functional>

class ShowingSeams final : public Seams {
public:
    ShowingSeams();
    ~ShowingSeams() override;

    // Called while a message box or file dialog is shown; the text is the
    // message, or the dialog's title.
    std::function<void(const QString& text)> onShown;
    // The name typed into the next file dialog, in its folder.
    QString fileName;
    // Texts of messages that are part of the walk; any other is unexpected.
    QStringList expectedMessages;
    QStringList unexpectedMessages;

    static QDateTime fixedNow();

    MsgAnswer message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                      const QString& title) override;
    QString fileDialog(QWidget* parent, const FileDialogRequest& request) override;
    int execModal(QDialog* dialog) override;
    bool printerDialog(QWidget*, QPrinter*) override { return false; }
    void beep() override {}
    QDateTime now() override { return fixedNow(); }
};

// Lets the event loop run for the given time, so that shown windows are
// laid out and painted.
void settle(int milliseconds);
