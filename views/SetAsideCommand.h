#pragma once
// Setting a reading aside from the analysis, or taking it back, from the
// list window and the record editor. Set aside asks for the reason in a
// small modal window (frmSetAside, shown through the seams); Other needs
// a text. Changing the review follows the rule that guards editing
// records (gEditEnabled). After a change, StateNotifier tells the windows
// (recordingDetailsChanged) so that they mark the reading and count again.
#include "data/RecordingReview.h"

#include <QDialog>

#include <optional>

class QComboBox;
class QLineEdit;
class Recordset;

// The reason window. Accepted only with a mark that can be stored.
class frmSetAside : public QDialog {
    Q_OBJECT
public:
    frmSetAside(QWidget* parent, qint64 readingId);
    SetAside mark() const;
    void accept() override;

    QComboBox* cboReason = nullptr;
    QLineEdit* txtNote = nullptr;
};

namespace SetAsideCommand {

// The record number of the record set's current row; none without one.
std::optional<qint64> currentReadingId(const Recordset& records);
// Takes the reading back when it is set aside, otherwise asks for the
// reason and sets it aside. True when the review changed. Failures are
// said in a message box titled with the parent's caption.
bool toggle(QWidget* parent, qint64 readingId);

} // namespace SetAsideCommand
