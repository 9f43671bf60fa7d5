#include "data/DataMessages.h"

#include "data/AmbFileCheck.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

void showFileMessage(QWidget* parent, const QString& text)
{
    showMessage(parent, text, MsgButtons::Ok, MsgIcon::Information, catText("frmMain.caption"));
}

void showCannotOpenMessage(const QString& path, const AmbFileStatus& status, QWidget* parent)
{
    QString reason = status.reasonText();
    // Only an unexpected failure needs the database layer's own words.
    if (status.kind == AmbFileStatus::Unreadable && !status.detail.isEmpty())
        reason += QStringLiteral(" (") + status.detail + QLatin1Char(')');
    showFileMessage(parent, catText("data.msgCannotOpen").arg(path, reason));
}
