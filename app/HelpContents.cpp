#include "app/HelpContents.h"

#include "app/AppSettings.h"
#include "state/SharedState.h"
#include "platform/FileSystem.h"
#include "platform/HelpViewer.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QWidget>

namespace HelpContents {

QString helpFilePath()
{
    return QDir::currentPath() + QStringLiteral("/KORVANE.chm");
}

void show(QWidget* owner)
{
    const QString path = helpFilePath();
    const QString title = owner ? owner->windowTitle() : QString();
    const FileSystem local;
    const FileSystem& files = gFileSystem ? *gFileSystem : local;
    if (!files.fileExists(path)) {
        showMessage(owner, catText("frmMain.msgNoHelpFile"), MsgButtons::Ok, MsgIcon::Information, title);
        return;
    }
    const QString configured = AppSettings::read(QString::fromLatin1(AppSettings::kHelpViewer), QString());
    if (HelpViewer::open(path, configured).isEmpty()) {
        const QString tried = HelpViewer::candidates(configured).join(QStringLiteral(", "));
        showMessage(owner, catText("frmMain.msgNoHelpViewer").arg(path, tried), MsgButtons::Ok,
                    MsgIcon::Information, title);
    }
}

} // namespace HelpContents
