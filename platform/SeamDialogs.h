#pragma once
// The message box and file dialog of the real seams, built but not yet
// shown, so that what a person sees can also be shown without waiting for
// an answer (the pictures of the quick-use slides).
#include "platform/Seams.h"

#include <memory>

class QFileDialog;
class QMessageBox;

std::unique_ptr<QMessageBox> buildMessageBox(QWidget* parent, const QString& text, MsgButtons buttons,
                                             MsgIcon icon, const QString& title);
std::unique_ptr<QFileDialog> buildFileDialog(QWidget* parent, const FileDialogRequest& request);
