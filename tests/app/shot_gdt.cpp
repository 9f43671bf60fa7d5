// Not a test: pictures of the GDT Link window and of the main window with
// a request waiting, then with the new file's result due and another
// request waiting, for a person to look at (offscreen; the main window at
// 1024 x 768). Run in an edition's folder, for New's template.
//     shot_gdt <folder> [de]
#include "app/GdtLink.h"
#include "app/frmMain.h"
#include "exchange/GdtSettings.h"
#include "state/SharedState.h"
#include "support/ScriptedSeams.h"
#include "text/Edition.h"
#include "tools/practice/PracticeSide.h"
#include "views/frmGdt.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const bool german = argc > 2 && QByteArray(argv[2]) == "de";
    Edition::select(german ? EditionId::German : EditionId::English);
    ScriptedSeams seams;
    QTemporaryDir dir;
    GdtSettings settings;
    settings.enabled = true;
    settings.importFolder = dir.path();
    GdtSettingsStore::store(settings);

    auto* main = new frmMain;
    gMainWindow = main;
    main->setGeometry(0, 0, 1024, 768);
    main->show();
    PracticeRequest request;
    request.patient = {QStringLiteral("4711"), QString::fromUtf8("Müller-Lüdenscheidt"), QStringLiteral("Anna"),
                       QDate(1956, 4, 3), GdtSex::Female};
    QFile file(dir.filePath(QStringLiteral("KORVPRAX.GDT")));
    file.open(QIODevice::WriteOnly);
    file.write(practiceRequestFile(request));
    file.close();
    main->gdtLink()->watcher().scan();
    main->gdtLink()->watcher().scan();
    const QString suffix = german ? QStringLiteral("-de.png") : QStringLiteral("-en.png");
    main->grab().save(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("gdt-main") + suffix));

    seams.filePaths.push_back(dir.filePath(QStringLiteral("Mueller.amb")));
    main->mnuFileNew_Click();
    request.patient = {QStringLiteral("815"), QStringLiteral("Nigro"), QStringLiteral("Carla"), QDate(1949, 11, 30),
                       GdtSex::Female};
    file.open(QIODevice::WriteOnly);
    file.write(practiceRequestFile(request));
    file.close();
    main->gdtLink()->watcher().scan();
    main->gdtLink()->watcher().scan();
    // New arranged the windows; the picture is of the main window at 1024 x 768.
    main->setGeometry(0, 0, 1024, 768);
    QApplication::processEvents();
    main->grab().save(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("gdt-due") + suffix));

    frmGdt window;
    window.show();
    window.grab().save(QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("gdt-settings") + suffix));
    return 0;
}
