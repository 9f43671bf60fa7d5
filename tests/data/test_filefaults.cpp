// Files that a crash, another program or an odd path left behind: the
// readings they hold stay reachable, nothing is called damaged that is not,
// and nothing that stands at a chosen path is replaced.
#include "CrashedStore.h"
#include "data/DataTestSupport.h"
#include "data/AmbFileCheck.h"
#include "data/FileCommands.h"
#include "platform/FileSystem.h"
#include "support/ScriptedSeams.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_dir;
    int m_n = 0;

    QString path(const QString& name) const { return m_dir + "/" + name; }
    QString dataFile(const QString& name, int rows)
    {
        makeDataFile(path(name), EditionId::English);
        insertRows(path(name), EditionId::English, std::vector<BpRow>(size_t(rows), BpRow{120, 80, 93, 70}));
        return path(name);
    }

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        resetAll();
        m_dir = m_root.filePath(QString::number(++m_n));
        QVERIFY(QDir().mkpath(m_dir));
        QVERIFY(QDir::setCurrent(m_dir));
        setFileCommandWindows({});
    }
    void cleanup() { resetAll(); }

    void aCrashsJournalIsRolledBackByOpenAndByNew()
    {
        const QString file = dataFile("crash.amb", 7);
        QVERIFY(crashInsideAStore(file));
        QVERIFY2(QFileInfo::exists(file + "-journal"), "the crash left no journal");

        // Open's path: the file opens with the seven committed rows.
        {
            ScriptedSeams seams;
            seams.filePaths = {file};
            FileCommands::openFile();
            QVERIFY2(gFileReady, qPrintable(seams.lastMessageText()));
            QCOMPARE(gDataFile, file);
            auto rs = openRecords(file);
            QCOMPARE(rs->recordCount(), 7);
        }
        resetAll();
        // New's path, on a second crashed file.
        const QString second = dataFile("crash2.amb", 3);
        QVERIFY(crashInsideAStore(second));
        QVERIFY(QFileInfo::exists(second + "-journal"));
        {
            ScriptedSeams seams;
            seams.filePaths = {second};
            FileCommands::newFile();
            QVERIFY2(gFileReady, qPrintable(seams.lastMessageText()));
            QCOMPARE(openRecords(second)->recordCount(), 3);
        }
    }

    void aCrashedFileThatCannotBeWrittenIsSaidToBeSo()
    {
        if (::geteuid() == 0)
            QSKIP("root writes any file; a read-only file cannot be made here");
        const QString file = dataFile("locked-out.amb", 2);
        QVERIFY(crashInsideAStore(file));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner));
        const AmbFileStatus status = AmbFileCheck::check(file);
        QCOMPARE(int(status.kind), int(AmbFileStatus::CannotRecover));
        QVERIFY(QFileInfo::exists(file + "-journal")); // never deleted by us
    }

    void aLockedFileIsInUseNotDamaged()
    {
        const QString file = dataFile("busy.amb", 4);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(file).constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
                 SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        const QByteArray before = contents(file);

        ScriptedSeams seams;
        seams.filePaths = {file};
        FileCommands::openFile();
        QVERIFY(!gFileReady);
        QCOMPARE(seams.lastMessageText(),
                 catText("data.msgCannotOpen").arg(file, catText("data.reasonInUse")));
        QCOMPARE(contents(file), before);

        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY(AmbFileCheck::check(file).ok());
    }

    void aRecordsetLetGoWithAPendingEditKeepsIt()
    {
        const QString file = dataFile("pending.amb", 2);
        {
            auto rs = openRecords(file);
            QVERIFY(rs->moveLast());
            QVERIFY(rs->setValue("SYS_mmHg", 177));
            QCOMPARE(rs->editMode(), int(Recordset::EditInProgress));
            gRecordset.reset();
        } // the last owner lets go without close()
        auto again = openRecords(file);
        QVERIFY(again->moveLast());
        QCOMPARE(again->value("SYS_mmHg").toInt(), 177);
    }

    void whatIsNotAFileIsRefusedAndLeftStanding_data()
    {
        QTest::addColumn<bool>("viaNew");
        QTest::newRow("New") << true;
        QTest::newRow("Open") << false;
    }
    void whatIsNotAFileIsRefusedAndLeftStanding()
    {
        QFETCH(bool, viaNew);
        QVERIFY(QFile::copy(qEnvironmentVariable("KORVANE_BUILD_DIR") + "/en/new.amb", path("new.amb")));
        const QString fifo = path("fifo.amb");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString dangling = path("dangling.amb");
        QVERIFY(QFile::link(path("share/gone.amb"), dangling));
        for (const QString& p : {fifo, dangling}) {
            ScriptedSeams seams;
            seams.filePaths = {p};
            viaNew ? FileCommands::newFile() : FileCommands::openFile();
            QVERIFY(!gFileReady);
            QCOMPARE(seams.lastMessageText(),
                     catText("data.msgCannotOpen").arg(p, catText("data.reasonNotAFile")));
        }
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(fifo).constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
        QCOMPARE(QFileInfo(dangling).symLinkTarget(), path("share/gone.amb"));
        QVERIFY(!QFileInfo::exists(path("share/gone.amb")));
    }
};

QTEST_MAIN(TestFileFaults)
#include "test_filefaults.moc"
