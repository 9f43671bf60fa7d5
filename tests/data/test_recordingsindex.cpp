// The recordings index of a folder: its figures are each file's own ABPM
// summary; files it cannot read are listed with the reason and never
// changed (nor is anything left beside them); a folder that goes away
// keeps its list and comes back; files that appear, change or go are
// followed; the cache may be deleted without loss.
#include "data/AbpmConclusion.h"
#include "data/AbpmRecording.h"
#include "data/AbpmReportSource.h"
#include "data/AbpmSettings.h"
#include "CrashedStore.h"
#include "data/DataTestSupport.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingReview.h"
#include "data/GdtOrigin.h"
#include "data/RecordingsIndex.h"

#include <QDirIterator>
#include <QSignalSpy>
#include <QtTest>

#include <sqlite3.h>
#include <unistd.h>

namespace {

// Every name, size, time and byte in a folder (journals and lock files included).
QStringList listing(const QString& folder)
{
    QStringList lines;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const std::optional<FileKey> key = fileKeyOf(path);
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(path)
                     .arg(info.size())
                     .arg(key ? key->modifiedNs : -1)
                     .arg(QString::fromLatin1(QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha1).toHex()));
    }
    lines.sort();
    return lines;
}

void writeDetails(const QString& path, const RecordingDetails& details)
{
    Connection c;
    QVERIFY(c.openFile(path));
    QVERIFY(RecordingDetailsStore::write(c, details));
}

// Waits for the index's looks to settle (no look running, none pending).
bool settled(RecordingsIndex& index, int timeoutMs = 20000)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (index.looked() && !index.scanning())
            return true;
    }
    return false;
}

} // namespace

class TestRecordingsIndex : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_dir;
    QString m_cache;
    int m_n = 0;

    QString recording(const QString& name, const abpmtest::Plan& plan, const RecordingDetails& details = {})
    {
        const QString path = m_dir + u'/' + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        makeDataFile(path, EditionId::English);
        insertRows(path, EditionId::English, abpmtest::generate(plan).rows);
        if (details.hasPatient() || details.recordingStart.isValid() || details.bedtime.isValid())
            writeDetails(path, details);
        return path;
    }

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        resetAll();
        const QString run = m_root.filePath(QString::number(++m_n));
        m_dir = run + QStringLiteral("/practice");
        m_cache = run + QStringLiteral("/cache");
        QVERIFY(QDir().mkpath(m_dir));
    }
    void cleanup() { resetAll(); }

    void listFiguresAreEachFilesOwnSummary()
    {
        abpmtest::Plan plain;
        abpmtest::Plan high;
        high.daySys = 152;
        high.dipPercent = 4;
        high.start = QDateTime(QDate(2025, 11, 2), QTime(8, 30), Qt::UTC);
        RecordingDetails diary;
        diary.patientNumber = QStringLiteral("4711");
        diary.surname = QStringLiteral("Müller");
        diary.firstName = QStringLiteral("Anna");
        diary.birthDate = QDate(1956, 4, 3);
        diary.bedtime = QTime(23, 30);
        diary.wakeUp = QTime(6, 15);
        diary.officeSys = 150;
        diary.officeDia = 95;
        const QStringList files = {recording("plain.amb", plain), recording("sub/folder/high.amb", high, diary)};
        // A reading set aside and a kept conclusion in the second.
        {
            Connection c;
            QVERIFY(c.openFile(files[1]));
            QVERIFY(RecordingReview::setAside(c, 3, {SetAsideReason::PatientMoved, QString()}));
            QVERIFY(AbpmConclusionStore::write(c, {QStringLiteral("Ambulatory hypertension."), QDate(2025, 11, 4), QStringLiteral("Dr. B")}));
        }
        // The first answered a request of the practice system, and its result went back.
        {
            Connection c;
            QVERIFY(c.openFile(files[0]));
            GdtOrigin origin;
            origin.patientNumber = QStringLiteral("1");
            origin.ownId = QStringLiteral("KORV");
            origin.pvsId = QStringLiteral("PRAX");
            origin.taken = QDateTime(QDate(2025, 10, 1), QTime(8, 0), Qt::UTC);
            origin.resultDue = false;
            origin.sent = QDateTime(QDate(2025, 10, 2), QTime(9, 0), Qt::UTC);
            origin.sentAs = QStringLiteral("/srv/gdt/PRAXKORV.GDT");
            QVERIFY(GdtOriginStore::write(c, origin));
        }
        // Periods of the user's own: the index computes with the ones in force.
        AbpmPeriodChoice choice;
        choice.own.day = {QTime(8, 0), QTime(21, 0)};
        choice.own.night = {QTime(23, 0), QTime(6, 0)};
        choice.thresholds = AbpmThresholdSet::AccAha2017;
        QVERIFY(AbpmSettings::store(choice));

        RecordingsIndex index(m_dir, m_cache);
        index.start();
        QVERIFY(settled(index));
        QCOMPARE(index.entries().size(), 2);
        for (const QString& file : files) {
            const RecordingEntry e = index.entries().value(file);
            QCOMPARE(int(e.status), int(AmbFileStatus::Ok));
            // The summary as the ABPM window makes it, from the current file.
            resetAll();
            gDataFile = file;
            openRecords(file);
            QString why;
            const std::optional<AbpmReportSource> own = readAbpmReportSource(&why);
            QVERIFY2(own, qPrintable(why));
            const AbpmSummary s = computeAbpmSummary(own->readings, own->periods, own->details, own->setAside, own->thresholds);
            QCOMPARE(e.readings, s.readings);
            QCOMPARE(e.valid, s.valid);
            for (int p = 0; p < kAbpmPeriodCount; ++p) {
                QCOMPARE(e.sysMean[size_t(p)], s.periods[size_t(p)].assessedMean(AbpmQuantity::Sys));
                QCOMPARE(e.diaMean[size_t(p)], s.periods[size_t(p)].assessedMean(AbpmQuantity::Dia));
            }
            QCOMPARE(e.dipClass, s.sysDipping.dipClass);
            QCOMPARE(e.number, own->details.patientNumber);
            QCOMPARE(e.name, patientNameText(own->details));
            QCOMPARE(e.start, own->details.recordingStart.isValid() ? own->details.recordingStart : s.first);
            QCOMPARE(e.conclusionKept, !own->conclusion.text.isEmpty());
            // The reader by path gives the same inputs as the current file's.
            const std::optional<AbpmReportSource> byPath = readAbpmReportSourceAt(file, &why);
            QVERIFY2(byPath, qPrintable(why));
            QCOMPARE(byPath->readings.size(), own->readings.size());
            QCOMPARE(byPath->details, own->details);
            QCOMPARE(byPath->setAside, own->setAside);
            QCOMPARE(byPath->conclusion, own->conclusion);
            QCOMPARE(byPath->periods, own->periods);
            QCOMPARE(byPath->thresholds, own->thresholds);
        }
        QCOMPARE(index.entries().value(files[1]).birthDate, QDate(1956, 4, 3));
        QVERIFY(index.entries().value(files[1]).conclusionKept);
        QVERIFY(!index.entries().value(files[0]).conclusionKept);
        QCOMPARE(index.newestOf(QStringLiteral("4711")), files[1]);
        QCOMPARE(index.entries().value(files[0]).resultSent, std::optional<bool>(true));
        QCOMPARE(index.entries().value(files[1]).resultSent, std::optional<bool>());
    }

    void filesItCannotReadAreListedWithTheReasonAndLeftAsTheyWere()
    {
        const QString good = recording("good.amb", {});
        const QString text = m_dir + "/notes.amb";
        {
            QFile f(text);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Befund: unauffällig\n");
        }
        const QString damaged = recording("damaged.amb", {});
        {
            // Pages overwritten in the middle, as a bad copy leaves them.
            QFile f(damaged);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(4096 + 100);
            f.write(QByteArray(3000, '\x5a'));
        }
        const QString truncated = recording("truncated.amb", {});
        QVERIFY(QFile::resize(truncated, 1500));
        const QString german = m_dir + "/deutsch.amb";
        makeDataFile(german, EditionId::German);
        const QString foreign = m_dir + "/foreign.amb";
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
            db.setDatabaseName(foreign);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec("create table patients (name TEXT)"));
            db.close();
        }
        QSqlDatabase::removeDatabase("foreign");
        const QString crashed = recording("crashed.amb", {});
        QVERIFY(crashInsideAStore(crashed));
        QVERIFY(QFileInfo(crashed + "-journal").size() > 0);
        const QString locked = recording("locked.amb", {});
        sqlite3* writer = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(locked).constData(), &writer, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        // A reading run at another workstation in the middle of its store.
        const QString writing = recording("writing.amb", {});
        sqlite3* run = nullptr;
        QCOMPARE(sqlite3_open_v2(QFile::encodeName(writing).constData(), &run, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        QCOMPARE(sqlite3_exec(run, "BEGIN IMMEDIATE; insert into ambpdata (SYS_mmHg, DIA_mmHg) values (120, 80);", nullptr, nullptr, nullptr), SQLITE_OK);
        QVERIFY(QFileInfo::exists(writing + "-journal"));

        const QStringList before = listing(m_dir);
        RecordingsIndex index(m_dir, m_cache);
        index.start();
        QVERIFY(settled(index));
        QCOMPARE(listing(m_dir), before); // nothing changed, nothing left beside them

        const auto statusOf = [&index](const QString& path) { return int(index.entries().value(path).status); };
        QCOMPARE(index.entries().size(), 9);
        QCOMPARE(statusOf(good), int(AmbFileStatus::Ok));
        QCOMPARE(statusOf(text), int(AmbFileStatus::NotADatabase));
        QCOMPARE(statusOf(damaged), int(AmbFileStatus::Damaged));
        QVERIFY(statusOf(truncated) == int(AmbFileStatus::Damaged) || statusOf(truncated) == int(AmbFileStatus::NotADatabase));
        QCOMPARE(statusOf(german), int(AmbFileStatus::OtherEdition));
        QCOMPARE(statusOf(foreign), int(AmbFileStatus::NoTable));
        QCOMPARE(statusOf(crashed), int(AmbFileStatus::Unfinished));
        QCOMPARE(statusOf(locked), int(AmbFileStatus::InUse));
        QCOMPARE(statusOf(writing), int(AmbFileStatus::Unfinished));
        for (const QString& p : {text, damaged, german, foreign, crashed, locked, writing})
            QVERIFY(!AmbFileStatus({index.entries().value(p).status, {}}).reasonText().isEmpty());

        // The writers finish: both are read at the next look, as complete files.
        QCOMPARE(sqlite3_exec(run, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(run);
        QCOMPARE(sqlite3_exec(writer, "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(writer);
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(writing), int(AmbFileStatus::Ok), 10000);
        index.rescan();
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(locked), int(AmbFileStatus::Ok), 10000);
        QCOMPARE(index.entries().value(writing).readings, index.entries().value(good).readings + 1);
        QCOMPARE(statusOf(crashed), int(AmbFileStatus::Unfinished)); // waits for a writer to roll it back
    }

    void aFolderThatGoesAwayKeepsItsListAndComesBack()
    {
        for (int i = 0; i < 3; ++i)
            recording(QStringLiteral("r%1.amb").arg(i), {});
        RecordingsIndex index(m_dir, m_cache);
        index.setIntervals(60000, 50);
        QSignalSpy reach(&index, &RecordingsIndex::reachableChanged);
        index.start();
        QVERIFY(settled(index));
        QCOMPARE(index.entries().size(), 3);
        const QString away = m_dir + "-away";
        QVERIFY(QDir().rename(m_dir, away));
        QTRY_VERIFY_WITH_TIMEOUT(!index.reachable(), 10000);
        QCOMPARE(index.entries().size(), 3);
        QVERIFY(QDir().rename(away, m_dir));
        QTRY_VERIFY_WITH_TIMEOUT(index.reachable(), 10000);
        QVERIFY(settled(index));
        QCOMPARE(index.entries().size(), 3);
        QCOMPARE(reach.size(), 2);
    }

    void filesThatAppearChangeOrGoAreFollowed()
    {
        const QString first = recording("first.amb", {});
        RecordingsIndex index(m_dir, m_cache);
        index.start();
        QVERIFY(settled(index));
        QCOMPARE(index.entries().size(), 1);

        // 200 files at once (made elsewhere, moved in as a file manager does).
        const QString elsewhere = m_root.filePath(QStringLiteral("elsewhere%1").arg(m_n));
        QVERIFY(QDir().mkpath(elsewhere));
        for (int i = 0; i < 200; ++i)
            QVERIFY(QFile::copy(first, elsewhere + QStringLiteral("/copy%1.amb").arg(i)));
        QVERIFY(QDir().mkpath(m_dir + "/2026"));
        for (int i = 0; i < 200; ++i)
            QVERIFY(QDir().rename(elsewhere + QStringLiteral("/copy%1.amb").arg(i),
                                  m_dir + (i % 2 ? "/2026" : "") + QStringLiteral("/copy%1.amb").arg(i)));
        QTRY_COMPARE_WITH_TIMEOUT(index.entries().size(), 201, 20000);
        QVERIFY(settled(index));
        for (const RecordingEntry& e : index.entries())
            QCOMPARE(int(e.status), int(AmbFileStatus::Ok));

        // A file changed (more readings) is read again; one removed is dropped.
        const qint64 before = index.entries().value(first).readings;
        insertRows(first, EditionId::English, {BpRow{125, 82, 96, 70}});
        QTRY_COMPARE_WITH_TIMEOUT(index.entries().value(first).readings, before + 1, 10000);
        QVERIFY(QFile::remove(m_dir + "/copy0.amb"));
        QTRY_COMPARE_WITH_TIMEOUT(index.entries().size(), 200, 10000);
        QVERIFY(!index.entries().contains(m_dir + "/copy0.amb"));
    }

    void theCacheGivesTheListAtOnceAndMayBeDeleted()
    {
        recording("a.amb", {});
        RecordingDetails d;
        d.patientNumber = QStringLiteral("12");
        recording("b.amb", {}, d);
        QHash<QString, RecordingEntry> first;
        QString cacheFile;
        {
            RecordingsIndex index(m_dir, m_cache);
            index.start();
            QVERIFY(settled(index));
            first = index.entries();
            cacheFile = index.cachePath();
        }
        QVERIFY(QFileInfo::exists(cacheFile));
        QVERIFY(!cacheFile.startsWith(m_dir));
        {
            // Known at once, before the folder is looked at again.
            RecordingsIndex index(m_dir, m_cache);
            QSignalSpy found(&index, &RecordingsIndex::entriesFound);
            QSignalSpy progress(&index, &RecordingsIndex::progress);
            index.start();
            QVERIFY(found.wait(5000));
            QCOMPARE(index.entries(), first);
            QVERIFY(settled(index));
            QCOMPARE(progress.size(), 0); // nothing had to be read
        }
        QVERIFY(QFile::remove(cacheFile));
        {
            RecordingsIndex index(m_dir, m_cache);
            index.start();
            QVERIFY(settled(index));
            QCOMPARE(index.entries(), first);
        }
        // Other day and night periods: computed again.
        AbpmPeriodChoice narrow;
        narrow.narrow = true;
        QVERIFY(AbpmSettings::store(narrow));
        {
            RecordingsIndex index(m_dir, m_cache);
            QSignalSpy progress(&index, &RecordingsIndex::progress);
            index.start();
            QVERIFY(settled(index));
            QVERIFY(progress.size() > 0);
            QCOMPARE(index.entries().size(), 2);
        }
    }
};

QTEST_MAIN(TestRecordingsIndex)
#include "test_recordingsindex.moc"
