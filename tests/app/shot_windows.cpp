// Not a test: pictures of the main window with the list, reading and serial
// settings windows open, for a person to look at. Run under a 1024 x 768
// X server:  Xvfb :9 -screen 0 1024x768x24 &  DISPLAY=:9 shot_windows out.png
#include "app/frmMain.h"
#include "state/SharedState.h"
#include "data/AmbSchema.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "support/ScriptedSeams.h"
#include "text/Edition.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    Edition::select(argc > 2 && QByteArray(argv[2]) == "de" ? EditionId::German : EditionId::English);
    ScriptedSeams seams;
    QTemporaryDir dir;
    PtyEndpoint pty;
    if (!pty.open())
        return 1;
    writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection), QStringLiteral("COM1"),
                 pty.devicePath());
    const QString file = dir.filePath(QStringLiteral("patient.amb"));
    AmbSchema::createDataFile(file, Edition::current().id());
    gCommSet = QStringLiteral("9600,n,8,1");
    gCommPort = QStringLiteral("COM1");

    auto* main = new frmMain;
    gMainWindow = main;
    main->show();
    QTest::qWaitForWindowExposed(main);
    gDataFile = file;
    gFileReady = true;
    main->mnuDataList_Click();
    main->mnuSetComm_Click();
    main->mnuDataRead_Click();
    QTest::qWait(800);
    const bool saved = app.primaryScreen()->grabWindow(0).save(QString::fromLocal8Bit(argv[1]));
    seams.answers.assign(8, MsgAnswer::No);
    delete main;
    return saved ? 0 : 1;
}
