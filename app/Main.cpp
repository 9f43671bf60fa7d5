#include "app/Main.h"

#include "app/AppSettings.h"
#include "app/CommandLine.h"
#include "state/SharedState.h"
#include "app/frmLogin.h"
#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "platform/FileSystem.h"
#include "text/QtLanguage.h"
#include "platform/Seams.h"
#include "platform/SettingsStore.h"
#include "text/MessageCatalogue.h"

#include <QApplication>
#include <QPushButton>

void LoadSettings()
{
    using namespace AppSettings;
    gFileSystem = std::make_shared<FileSystem>();
    gCommSet = read(QString::fromLatin1(kCommSet), QString::fromLatin1(kDefaultCommSet));
    gCommPort = read(QString::fromLatin1(kCommPort), QString::fromLatin1(kDefaultCommPort));
    gLoginRequired = isYes(read(QString::fromLatin1(kLogin), QString::fromLatin1(kDefaultLogin)));
}

bool Main()
{
    LoadSettings();
    // The defaults are in force (the login asks for the default password):
    // say so rather than let the user wonder where the settings went.
    const QString unreadable = settingsReadProblem(QString::fromLatin1(kAppTitle));
    if (!unreadable.isEmpty())
        showMessage(nullptr, catText("Main.msgSettingsUnreadable").arg(AppSettings::storePath(), unreadable));

    auto* mainWindow = new frmMain;
    gMainWindow = mainWindow;

    if (gLoginRequired) {
        frmLogin login;
        // Frame caption and hint keep their designed texts.
        login.setWindowTitle(catText("frmLogin.captionStart"));
        gPasswordSlot = 0;
        login.cmdChange->setVisible(false);
        login.cmdOK->setVisible(true);
        gLoginOK = false;
        seams().execModal(&login);
        if (!gLoginOK) {
            // The unload step runs (it writes the designed geometry); no
            // window is ever shown.
            mainWindow->close();
            delete mainWindow;
            gMainWindow = nullptr;
            return false;
        }
    }

    mainWindow->show();
    auto* splash = new frmSplash(mainWindow);
    splash->show();
    return true;
}

int runKorvane(int argc, char* argv[], EditionId edition)
{
    Edition::select(edition);
    const CommandLineMode mode = commandLineMode(argc, argv);
    if (mode == CommandLineMode::Version)
        return printVersion();
    QtLanguage::prepare(edition);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    const QString translations = QtLanguage::apply(edition);
    if (mode == CommandLineMode::CheckInstall)
        return checkInstall(translations);
    if (!Main())
        return 0;
    const int result = app.exec();
    delete gMainWindow;
    gMainWindow = nullptr;
    return result;
}
