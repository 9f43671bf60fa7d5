// Not a test: pictures of File > Recordings... over a small folder (some
// files damaged, foreign, the other edition's) and of the File menu, for a
// person to look at (offscreen, 1024 x 768), then Compare... on four of them:
// the comparison page in its preview and as PDF.   shot_recordings <folder> [de]
#include "app/frmMain.h"
#include "data/AmbSchema.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingsIndex.h"
#include "platform/Connection.h"
#include "platform/SettingsStore.h"
#include "print/RecordingsComparison.h"
#include "state/SharedState.h"
#include "support/ScriptedSeams.h"
#include "text/Edition.h"
#include "views/frmRecordings.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>

namespace {

void recording(const QString& path, const QString& number, const QString& surname, const QString& first, int day,
               int sys, QDate born)
{
    AmbSchema::createDataFile(path, Edition::current().id());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("shot"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("BEGIN"));
        const QStringList c = AmbSchema::columns(Edition::current().id());
        for (int i = 0; i < 80; ++i) {
            const QDateTime t = QDateTime(QDate(2026, 2, day), QTime(9, 0)).addSecs(i * 1080);
            const bool night = t.time().hour() >= 22 || t.time().hour() < 7;
            const int s = sys - (night ? 15 : 0) + i % 7, d = s * 6 / 10;
            q.exec(QStringLiteral("insert into ambpdata (%1,%2,%3,%4,%5,%6) values ('%7','%8',%9,%10,%11,70)")
                       .arg(c[1], c[2], c[3], c[4], c[5], c[6], t.date().toString(Qt::ISODate),
                            t.time().toString(QStringLiteral("HH:mm:ss")))
                       .arg(s)
                       .arg(d)
                       .arg((s + 2 * d) / 3));
        }
        q.exec(QStringLiteral("COMMIT"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("shot"));
    RecordingDetails d;
    d.patientNumber = number;
    d.surname = surname;
    d.firstName = first;
    d.birthDate = born;
    Connection connection;
    connection.openFile(path);
    RecordingDetailsStore::write(connection, d);
}

} // namespace

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
    QDir().mkpath(dir.filePath(QStringLiteral("2026")));
    const QDate anna(1961, 4, 3);
    recording(dir.filePath(QStringLiteral("Mueller_Anna_4711_2026-02-03.amb")), QStringLiteral("4711"),
              QString::fromUtf8("Müller-Lüdenscheidt"), QStringLiteral("Anna"), 3, 142, anna);
    recording(dir.filePath(QStringLiteral("2026/Mueller_Anna_4711_2026-02-17.amb")), QStringLiteral("4711"),
              QString::fromUtf8("Müller-Lüdenscheidt"), QStringLiteral("Anna"), 17, 128, anna);
    recording(dir.filePath(QStringLiteral("2026/Mueller_Anna_4711_2026-02-24.amb")), QStringLiteral("4711"),
              QString::fromUtf8("Müller-Lüdenscheidt"), QStringLiteral("Anna"), 24, 151, anna);
    recording(dir.filePath(QStringLiteral("2026/Mueller_Anna_4711_2026-02-10.amb")), QStringLiteral("4711"),
              QString::fromUtf8("Müller-Lüdenscheidt"), QStringLiteral("Anna"), 10, 119, anna);
    recording(dir.filePath(QStringLiteral("Schmidt_Karl_815_2026-02-09.amb")), QStringLiteral("815"),
              QStringLiteral("Schmidt"), QStringLiteral("Karl"), 9, 150, QDate(1948, 11, 30));
    QFile text(dir.filePath(QStringLiteral("notes.amb")));
    text.open(QIODevice::WriteOnly);
    text.write("Befund folgt\n");
    text.close();
    AmbSchema::createDataFile(dir.filePath(QStringLiteral("other-edition.amb")),
                              german ? EditionId::English : EditionId::German);
    writeSetting(kAppTitle, QStringLiteral("Folders"), QStringLiteral("DataFiles"), dir.path());

    auto* main = new frmMain;
    gMainWindow = main;
    main->setGeometry(0, 0, 1024, 768);
    main->show();
    const QString suffix = german ? QStringLiteral("-de.png") : QStringLiteral("-en.png");
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QMenu* file = main->menu(QStringLiteral("mnuFile"));
    file->popup(QPoint(0, 0));
    file->grab().save(out.filePath(QStringLiteral("recordings-menu") + suffix));
    file->hide();

    main->mnuFileRecordings_Click();
    auto* window = main->findChild<frmRecordings*>();
    window->setGeometry(0, 0, 1024, 768);
    RecordingsIndex& index = RecordingsIndex::forDataFolder();
    while (!index.looked() || index.scanning())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QCoreApplication::processEvents();
    window->grdRecordings->selectRow(0);
    window->grdRecordings->selectRow(1);
    window->grab().save(out.filePath(QStringLiteral("recordings") + suffix));
    window->txtSearch->setText(QStringLiteral("müll"));
    window->grdRecordings->selectAll();
    QCoreApplication::processEvents();
    window->grab().save(out.filePath(QStringLiteral("recordings-search") + suffix));

    // Compare... on the four recordings found: the page in its preview, and as PDF.
    window->cmdCompare->click();
    QCoreApplication::processEvents();
    auto* comparison = qobject_cast<RecordingsComparison*>(QApplication::activeWindow());
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* c = qobject_cast<RecordingsComparison*>(w))
            comparison = c;
    if (!comparison)
        return 1;
    comparison->setGeometry(0, 0, 1024, 768);
    QCoreApplication::processEvents();
    comparison->grab().save(out.filePath(QStringLiteral("comparison") + suffix));
    seams.printerPdfPath = out.filePath(QStringLiteral("comparison") + (german ? QStringLiteral("-de.pdf") : QStringLiteral("-en.pdf")));
    comparison->actPrint->trigger();
    return 0;
}
