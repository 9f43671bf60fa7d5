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
    item->setChecked(!item->isChecked());
    // Takes effect at the next start.
    AppSettings::write(QString::fromLatin1(AppSettings::kLogin), AppSettings::flagText(item->isChecked()));
    gLoginRequired = item->isChecked();
}

void frmMain::mnuSettingSecurityEdit_Click()
{
    if (!checkPassword(1, "frmMain.capEditRequirement", "frmMain.frameEditRequirement"))
        return;
    QAction* item = menuItem(QStringLiteral("mnuSettingSecurityEdit"));
    item->setChecked(!item->isChecked());
    AppSettings::write(QString::fromLatin1(AppSettings::kEdit), AppSettings::flagText(item->isChecked()));
    gEditEnabled = item->isChecked();
    setEditControlsEnabled(gEditEnabled);
}
