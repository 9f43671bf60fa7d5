// The main window's password commands: the two password changes and the
// two requirement switches, each through the password window.
#include "app/frmMain.h"

#include "app/AppSettings.h"
#include "state/SharedState.h"
#include "app/frmLogin.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QAction>

bool frmMain::checkPassword(quint8 slot, const char* captionKey, const char* frameKey)
{
    frmLogin login(this);
    login.prepareCheck(catText(captionKey), catText(frameKey));
    gPasswordSlot = slot;
    // Only an OK with a correct password during this showing counts.
    gLoginOK = false;
    seams().execModal(&login);
    return gLoginOK;
}

void frmMain::askNewPassword(quint8 slot, const char* captionKey, const char* frameKey)
{
    frmLogin login(this);
    login.prepareNewPassword(catText(captionKey), catText(frameKey));
    gPasswordSlot = slot;
    // Change stores the new password; Cancel stores nothing.
    seams().execModal(&login);
}

bool frmMain::storeFlag(const char* key, bool yes)
{
    QString why;
    if (AppSettings::write(QString::fromLatin1(key), AppSettings::flagText(yes), &why))
        return true;
    showMessage(this, catText("frmMain.msgSettingNotSaved").arg(AppSettings::storePath(), why), MsgButtons::Ok,
                MsgIcon::Information, windowTitle());
    return false;
}

void frmMain::mnuSetLogin_Click()
{
    if (checkPassword(0, "frmMain.capChangeLoginOld", "frmMain.frameLoginPassword"))
        askNewPassword(0, "frmMain.capChangeLoginNew", "frmMain.frameChangeLoginNew");
}

void frmMain::mnuSetEdp_Click()
{
    if (checkPassword(1, "frmMain.capChangeEditOld", "frmMain.frameChangeEditOld"))
        askNewPassword(1, "frmMain.capChangeEditNew", "frmMain.frameChangeEditNew");
}

void frmMain::mnuSettingSecurityLogin_Click()
{
    if (!checkPassword(0, "frmMain.capLoginRequirement", "frmMain.frameLoginPassword"))
        return;
    QAction* item = menuItem(QStringLiteral("mnuSettingSecurityLogin"));
    // Takes effect at the next start, so only a stored change is made.
    if (!storeFlag(AppSettings::kLogin, !item->isChecked()))
        return;
    item->setChecked(!item->isChecked());
    gLoginRequired = item->isChecked();
}

void frmMain::mnuSettingSecurityEdit_Click()
{
    if (!checkPassword(1, "frmMain.capEditRequirement", "frmMain.frameEditRequirement"))
        return;
    QAction* item = menuItem(QStringLiteral("mnuSettingSecurityEdit"));
    if (!storeFlag(AppSettings::kEdit, !item->isChecked()))
        return;
    item->setChecked(!item->isChecked());
    gEditEnabled = item->isChecked();
    setEditControlsEnabled(gEditEnabled);
}
