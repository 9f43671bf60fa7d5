#pragma once
// Messages of the file commands and the record cursor: information boxes
// titled with the main window's caption.
#include <QString>

class QWidget;
struct AmbFileStatus;

// An information box with an OK button.
void showFileMessage(QWidget* parent, const QString& text);
// "File  <path>  Can not Open ! , <reason>" in the current edition.
void showCannotOpenMessage(const QString& path, const AmbFileStatus& status, QWidget* parent = nullptr);
