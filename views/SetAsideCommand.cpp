#include "views/SetAsideCommand.h"

#include "data/AmbSchema.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

frmSetAside::frmSetAside(QWidget* parent, qint64 readingId)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSetAside"));
    setWindowTitle(catText("review.caption").arg(readingId));
    cboReason = new QComboBox(this);
    cboReason->setObjectName(QStringLiteral("cboReason"));
    for (int r = 0; r < kSetAsideReasonCount; ++r)
        cboReason->addItem(RecordingReview::reasonText(SetAsideReason(r)), r);
    txtNote = new QLineEdit(this);
    txtNote->setObjectName(QStringLiteral("txtNote"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* form = new QFormLayout(this);
    auto* reason = new QLabel(catText("review.lblReason"), this);
    reason->setBuddy(cboReason);
    auto* note = new QLabel(catText("review.lblNote"), this);
    note->setBuddy(txtNote);
    form->addRow(reason, cboReason);
    form->addRow(note, txtNote);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmSetAside::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

SetAside frmSetAside::mark() const
{
    return {SetAsideReason(cboReason->currentData().toInt()), txtNote->text().trimmed()};
}

void frmSetAside::accept()
{
    if (const std::optional<QString> why = RecordingReview::problemOf(mark())) {
        showMessage(this, *why, MsgButtons::Ok, MsgIcon::Information, windowTitle());
        txtNote->setFocus();
        return;
    }
    QDialog::accept();
}

namespace SetAsideCommand {

std::optional<qint64> currentReadingId(const Recordset& records)
{
    const qint64 row = records.currentRow();
    const int column = records.fieldIndex(AmbSchema::column(AmbSchema::Column::Id));
    if (row < 0 || column < 0)
        return std::nullopt;
    const std::optional<double> id = records.numberAt(row, column);
    return id ? std::optional<qint64>(qint64(*id)) : std::nullopt;
}

bool toggle(QWidget* parent, qint64 readingId)
{
    const QString title = parent ? parent->window()->windowTitle() : QString();
    const auto fail = [&](const QString& why) {
        showMessage(parent, catText("review.msgNotChanged").arg(why), MsgButtons::Ok, MsgIcon::Information, title);
        return false;
    };
    if (!gEditEnabled)
        return false;
    QString why;
    const std::optional<SetAsideReadings> marks = RecordingReview::readCurrent(&why);
    if (!marks)
        return fail(why);
    if (marks->count(readingId)) {
        if (!RecordingReview::takeBackCurrent(readingId, &why))
            return fail(why);
    } else {
        frmSetAside dialog(parent, readingId);
        if (seams().execModal(&dialog) != QDialog::Accepted)
            return false;
        if (!RecordingReview::setAsideCurrent(readingId, dialog.mark(), &why))
            return fail(why);
    }
    emit StateNotifier::instance().recordingDetailsChanged();
    return true;
}

} // namespace SetAsideCommand
