// The exchange folders on real files: which names are requests, a file
// taken only when whole (a file still being written waits; one whose 8100
// never agrees is taken once it has settled), a taken request deleted, a
// bad one moved to failed/ with a note naming the line, the next result's
// counting extension, a write that never replaces a file or leaves half of
// one; the settings in the store and the folders they refuse.
#include "GdtFiles.h"
#include "WatcherReports.h"

#include "exchange/GdtFolder.h"
#include "exchange/GdtRequestWatcher.h"
#include "exchange/GdtSettings.h"
#include "platform/SettingsStore.h"
#include "support/Unprivileged.h"
#include "text/Edition.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using namespace gdttest;

class TestGdtFolders : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        Edition::select(EditionId::English);
        QFile::remove(settingsFilePath(kAppTitle)); // a run before left its settings
    }

    void requestNames()
    {
        QVERIFY(GdtFolder::isRequestName("KORVPRAX.GDT", "KORV", "PRAX"));
        QVERIFY(GdtFolder::isRequestName("korvprax.gdt", "KORV", "PRAX"));
        QVERIFY(GdtFolder::isRequestName("KorvPrax.007", "KORV", "PRAX"));
        QVERIFY(!GdtFolder::isRequestName("PRAXKORV.GDT", "KORV", "PRAX")); // our own result
        QVERIFY(!GdtFolder::isRequestName("KORVPRAX.GDT.tmp", "KORV", "PRAX"));
        QVERIFY(!GdtFolder::isRequestName("KORVPRAX.01", "KORV", "PRAX"));
        QVERIFY(!GdtFolder::isRequestName("XKORVPRAX.GDT", "KORV", "PRAX"));
        QTemporaryDir dir;
        for (const char* name : {"KORVPRAX.001", "korvprax.gdt", "KORVPRAX.000", "PRAXKORV.GDT"})
            writeFile(dir.filePath(name), "x");
        QCOMPARE(GdtFolder::requestFiles(dir.path(), "KORV", "PRAX"),
                 (QStringList{"korvprax.gdt", "KORVPRAX.000", "KORVPRAX.001"}));
    }

    void wholeRequestIsTakenAndDeleted()
    {
        QTemporaryDir dir;
        Catch got;
        GdtRequestWatcher watcher(got.hooks());
        writeFile(dir.filePath("korvprax.gdt"), gdtFile(request6302("M\x81ller")));
        watcher.watch(dir.path(), "KORV", "PRAX"); // the scan at the start sees it once
        QVERIFY(got.taken.isEmpty());
        watcher.scan();
        QCOMPARE(got.taken.size(), 1);
        QCOMPARE(got.taken[0].patient.surname, QString::fromUtf8("Müller"));
        QVERIFY(!QFileInfo::exists(dir.filePath("korvprax.gdt")));
        watcher.scan();
        QCOMPARE(got.taken.size(), 1);
    }

    void fileStillBeingWrittenWaits()
    {
        QTemporaryDir dir;
        Catch got;
        GdtRequestWatcher watcher(got.hooks());
        const QString path = dir.filePath("KORVPRAX.GDT");
        const QByteArray whole = gdtFile(request6302("Nigro"));
        writeFile(path, whole.first(40));
        watcher.watch(dir.path(), "KORV", "PRAX");
        for (int i = 0; i < 3; ++i)
            watcher.scan(); // the same size, but 8100 says more is coming
        QVERIFY(got.taken.isEmpty());
        writeFile(path, whole.sliced(40), QIODevice::Append);
        watcher.scan(); // grown: wait one more scan
        QVERIFY(got.taken.isEmpty());
        watcher.scan();
        QCOMPARE(got.taken.size(), 1);
        QCOMPARE(got.taken[0].patient.surname, QStringLiteral("Nigro"));
    }

    // LF-only lines whose 8100 counts CR LF, as some writers count: whole.
    void lfOnlyCountedWithCrLfIsTaken()
    {
        QTemporaryDir dir;
        Catch got;
        GdtRequestWatcher watcher(got.hooks());
        QByteArray lfOnly = gdtFile(request6302("Nigro"));
        lfOnly.replace("\r\n", "\n");
        writeFile(dir.filePath("KORVPRAX.GDT"), lfOnly);
        watcher.watch(dir.path(), "KORV", "PRAX");
        watcher.scan();
        QCOMPARE(got.taken.size(), 1);
    }

    void badRequestGoesToFailedWithANote()
    {
        QTemporaryDir dir;
        Catch got;
        GdtRequestWatcher watcher(got.hooks());
        QByteArray bad = gdtFile(request6302("Nigro"));
        bad.replace("03041956", "31021956");
        writeFile(dir.filePath("KORVPRAX.GDT"), bad);
        writeFile(dir.filePath("KORVPRAX.000"), QByteArray("\x89PNG\r\n\x1a\n\0\0", 10));
        QDir(dir.path()).mkdir("failed");
        writeFile(dir.filePath("failed/KORVPRAX.GDT"), "an older one");
        watcher.watch(dir.path(), "KORV", "PRAX");
        watcher.scan(); // neither of them waits: nothing more would make them whole
        QCOMPARE(got.refused, (QStringList{"KORVPRAX.GDT:10", "KORVPRAX.000:1"}));
        QCOMPARE(got.moved[0], dir.filePath("failed/KORVPRAX.GDT.1"));
        QCOMPARE(contentOf(got.moved[0]), bad);
        QCOMPARE(contentOf(dir.filePath("failed/KORVPRAX.GDT")), QByteArray("an older one"));
        QCOMPARE(QString::fromUtf8(contentOf(got.moved[0] + ".txt")),
                 QStringLiteral("Line 10: The birth date 31021956 is no date (DDMMYYYY)\n"));
        QVERIFY(contentOf(got.moved[1] + ".txt").startsWith("Line 1: Not a GDT file"));
        QVERIFY(GdtFolder::requestFiles(dir.path(), "KORV", "PRAX").isEmpty());
    }

    void resultNamesCountWhileOneWaits()
    {
        QTemporaryDir dir;
        QString why;
        const QString first = GdtFolder::nextResultPath(dir.path(), "PRAX", "KORV");
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("PRAXKORV.GDT"));
        QVERIFY(GdtFolder::writeWhole(first, "one", &why));
        writeFile(dir.filePath("praxkorv.000"), "unread, in the other case");
        const QString third = GdtFolder::nextResultPath(dir.path(), "PRAX", "KORV");
        QCOMPARE(QFileInfo(third).fileName(), QStringLiteral("PRAXKORV.001"));
        QVERIFY(!GdtFolder::writeWhole(first, "two", &why)); // never replaces
        QCOMPARE(contentOf(first), QByteArray("one"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2); // no temporary left
    }

    // A write that fails says why in words, never "Unknown error", and
    // leaves nothing behind.
    void failedWriteNamesTheCause()
    {
        QTemporaryDir dir;
        QString why;
        QVERIFY(!GdtFolder::writeWhole(dir.filePath("gone/PRAXKORV.GDT"), "x", &why));
        QCOMPARE(why, QStringLiteral("the folder is not there (any more)"));
        // A disk that takes no more part way through: here a file size limit.
        struct rlimit before {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &before), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = before;
        small.rlim_cur = 100;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool written = GdtFolder::writeWhole(dir.filePath("PRAXKORV.GDT"), QByteArray(5000, 'x'), &why);
        ::setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!written);
        QCOMPARE(why, QString::fromLocal8Bit(std::strerror(EFBIG)) + " (error " + QString::number(EFBIG) + ")");
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        // The causes a full disk, a refused folder, a vanished one give.
        QCOMPARE(GdtFolder::causeOf(ENOSPC), QStringLiteral("no space left on the disk"));
        QCOMPARE(GdtFolder::causeOf(EDQUOT), QStringLiteral("no space left on the disk"));
        QCOMPARE(GdtFolder::causeOf(EROFS), QStringLiteral("the disk is write-protected"));
        Edition::select(EditionId::German);
        QCOMPARE(GdtFolder::causeOf(ENOSPC), QString::fromUtf8("kein Platz mehr auf dem Datenträger"));
        Edition::select(EditionId::English);
    }

    void settingsRoundTrip()
    {
        const GdtSettings defaults = GdtSettingsStore::load();
        QCOMPARE(defaults, GdtSettings{});
        QVERIFY(!defaults.enabled);
        QCOMPARE(defaults.charset, GdtCharset::Cp437);
        GdtSettings s;
        s.enabled = true;
        s.importFolder = "/srv/gdt in";
        s.exportFolder = "/srv/gdt, out";
        s.ownId = "BDM1";
        s.pvsId = "MEDI";
        s.charset = GdtCharset::Latin1;
        s.attachPdf = false;
        QVERIFY(GdtSettingsStore::store(s));
        QCOMPARE(GdtSettingsStore::load(), s);
        const QString store = QString::fromUtf8(contentOf(settingsFilePath(kAppTitle)));
        QVERIFY2(store.contains("[GDT]") && store.contains("EXPORT=/srv/gdt, out") && store.contains("CHARSET=3"),
                 qPrintable(store));
        // Edited by hand into something unusable: the defaults.
        writeSetting(kAppTitle, "GDT", "OWNID", "KORVANE");
        writeSetting(kAppTitle, "GDT", "CHARSET", "5");
        writeSetting(kAppTitle, "GDT", "ENABLED", "yes");
        const GdtSettings edited = GdtSettingsStore::load();
        QCOMPARE(edited.ownId, QStringLiteral("KORV"));
        QCOMPARE(edited.charset, GdtCharset::Cp437);
        QVERIFY(!edited.enabled);
    }

    void settingsProblemsNameTheFolder()
    {
        QTemporaryDir dir;
        GdtSettings s;
        QVERIFY(!gdtSettingsProblem(s)); // off: nothing checked
        s.enabled = true;
        QVERIFY(gdtSettingsProblem(s)->contains("no folder"));
        s.importFolder = dir.filePath("gone");
        QCOMPARE(*gdtSettingsProblem(s), "Request folder: the folder " + dir.filePath("gone") + " does not exist");
        s.importFolder = dir.path();
        QVERIFY(!gdtSettingsProblem(s));
        s.exportFolder = dir.filePath("out");
        QVERIFY(gdtSettingsProblem(s)->startsWith("Result folder"));
        s.exportFolder.clear();
        s.pvsId = "PR X";
        QVERIFY(gdtSettingsProblem(s)->contains("PR X"));
    }

    // Our result <PVS><own> is named as a request <own><PVS> when the IDs
    // are one: refused, without case, and in one folder (given empty, by
    // another spelling or through a link) named as the folder's fault.
    void equalIdsAreRefused()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("out"));
        QVERIFY(QFile::link(dir.path(), dir.filePath("share")));
        GdtSettings s;
        s.enabled = true;
        s.importFolder = dir.path();
        s.ownId = "PRAX";
        s.pvsId = "prax";
        const QString sameFolder = "Request folder and Result folder are the same folder " + dir.path()
            + ": the two GDT IDs must differ";
        QCOMPARE(*gdtSettingsProblem(s), sameFolder);
        s.exportFolder = dir.filePath("share");
        QCOMPARE(*gdtSettingsProblem(s), sameFolder);
        s.exportFolder = dir.filePath("out/../");
        QCOMPARE(*gdtSettingsProblem(s), sameFolder);
        s.exportFolder = dir.filePath("out");
        QCOMPARE(*gdtSettingsProblem(s),
                 QStringLiteral("GDT ID of this program and GDT ID of the practice system are the same (PRAX): the "
                                "two GDT IDs must differ"));
        s.pvsId = "PRAY";
        QVERIFY(!gdtSettingsProblem(s));
        s.exportFolder = dir.filePath("share"); // one folder is fine with two IDs
        QVERIFY(!gdtSettingsProblem(s));
    }

    void unwritableFolderIsRefused()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("locked");
        const QString locked = dir.filePath("locked");
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        GdtSettings s;
        s.enabled = true;
        s.importFolder = dir.path();
        s.exportFolder = locked;
        QCOMPARE(*gdtSettingsProblem(s), "Result folder: the folder " + locked + " can not be written");
        QString why;
        QVERIFY(!GdtFolder::writeWhole(locked + "/PRAXKORV.GDT", "x", &why));
        QCOMPARE(why, QStringLiteral("no permission (access denied)"));
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(TestGdtFolders)
#include "test_gdtfolders.moc"
