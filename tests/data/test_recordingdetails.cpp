// The recording's details and the doctor's review in the data file: old
// files without the tables read as empty and stay unchanged, each
// edition's record query still reads a file that has them, every field
// survives a write and a reopen whatever characters it holds, a write
// keeps fields it does not know, a damaged value reads as not given, a
// refused write leaves what was stored; set-aside readings survive
// reopen and Save, and a mark of a deleted reading is dropped.
#include "data/DataTestSupport.h"
#include "data/DataFileCopy.h"
#include "data/RecordingDetailsStore.h"
#include "data/RecordingReview.h"
#include "data/RecordingStart.h"
#include "platform/SqliteFile.h"
#include "support/Unprivileged.h"
#include "text/MessageCatalogue.h"

#include <QFile>
#include <QSqlQuery>
#include <QtTest>

namespace {

RecordingDetails fullDetails()
{
    RecordingDetails d;
    d.patientNumber = QStringLiteral("0123456789");
    d.surname = QStringLiteral("Müller-Łukasiewicz O'Brien \"Ångström\"");
    d.firstName = QStringLiteral("Zoë 李 🫀");
    d.birthDate = QDate(1951, 2, 28);
    d.sex = PatientSex::Diverse;
    d.recordingStart = QDateTime(QDate(2025, 12, 30), QTime(8, 45), Qt::UTC);
    d.bedtime = QTime(22, 30);
    d.wakeUp = QTime(6, 15);
    d.officeSys = 152;
    d.officeDia = 94;
    d.physician = QStringLiteral("Dr. A; B, C'); drop table ambpdata; --");
    d.indication = QStringLiteral("line one\nline two\r\n\ttab");
    d.medication = QString(5000, QChar(u'x'));
    d.comment = QStringLiteral("%1 %2 \\ end ‰");
    return d;
}

std::shared_ptr<Connection> openFile(const QString& path)
{
    auto c = std::make_shared<Connection>();
    if (!c->openFile(path))
        qWarning("open failed: %s", qPrintable(c->lastError()));
    return c;
}

QStringList tablesOf(const QString& path)
{
    SqliteFile db;
    db.open(path, SqliteFile::Mode::ReadOnly);
    QSqlQuery q(db.database());
    q.exec(QStringLiteral("select name from sqlite_master where type = 'table' order by name"));
    QStringList names;
    while (q.next())
        names << q.value(0).toString();
    return names;
}

void execOn(const QString& path, const QString& sql)
{
    SqliteFile db;
    QVERIFY(db.open(path, SqliteFile::Mode::ReadWrite));
    QVERIFY2(db.exec(sql), qPrintable(db.lastError().text));
}

} // namespace

class TestRecordingDetails : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_n = 0;

    QString freshFile(EditionId edition, int rows = 3)
    {
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("f%1.amb").arg(++m_n)), edition);
        insertRows(path, edition, std::vector<BpRow>(size_t(rows), BpRow{120, 80, 93, 70}));
        return path;
    }

private slots:
    void init() { resetAll(); }
    void cleanup() { resetAll(); }

    void oldFileReadsEmptyAndStaysUnchanged_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::newRow("English") << EditionId::English;
        QTest::newRow("German") << EditionId::German;
    }
    void oldFileReadsEmptyAndStaysUnchanged()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        const QString path = freshFile(edition);
        const QByteArray before = fileBytes(path);
        {
            auto c = openFile(path);
            QString why;
            const std::optional<RecordingDetails> d = RecordingDetailsStore::read(*c, &why);
            QVERIFY2(d, qPrintable(why));
            QVERIFY(d->isEmpty());
            const std::optional<SetAsideReadings> marks = RecordingReview::read(*c, &why);
            QVERIFY2(marks, qPrintable(why));
            QVERIFY(marks->empty());
            // Taking back on a file without the table changes nothing either.
            QVERIFY(RecordingReview::takeBack(*c, 1, &why));
        }
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(tablesOf(path), QStringList({QStringLiteral("ambpdata"), QStringLiteral("sqlite_sequence")}));
    }

    void detailsRoundTripAndRecordQueryStillReads_data() { oldFileReadsEmptyAndStaysUnchanged_data(); }
    void detailsRoundTripAndRecordQueryStillReads()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        const QString path = freshFile(edition, 5);
        const RecordingDetails written = fullDetails();
        {
            auto c = openFile(path);
            QString why;
            QVERIFY2(RecordingDetailsStore::write(*c, written, &why), qPrintable(why));
            QVERIFY2(RecordingReview::setAside(*c, 2, {SetAsideReason::PatientMoved, {}}, &why), qPrintable(why));
        }
        // The edition's record query reads the file as before.
        auto rs = openRecords(path);
        QCOMPARE(rs->recordCount(), qint64(5));
        QCOMPARE(rs->fieldNames(), AmbSchema::recordColumns(edition));
        QString why;
        const std::optional<RecordingDetails> read = RecordingDetailsStore::read(*gConnection, &why);
        QVERIFY2(read, qPrintable(why));
        QCOMPARE(read->surname, written.surname);
        QCOMPARE(read->firstName, written.firstName);
        QCOMPARE(read->medication.size(), 5000);
        QCOMPARE(read->indication, written.indication);
        QVERIFY(*read == written);
        // Replacing with fewer fields removes the rest.
        RecordingDetails fewer;
        fewer.surname = QStringLiteral("Only");
        QVERIFY2(RecordingDetailsStore::write(*gConnection, fewer, &why), qPrintable(why));
        QVERIFY(*RecordingDetailsStore::read(*gConnection) == fewer);
    }

    void unknownFieldsStayAndDamagedValuesReadAsNotGiven()
    {
        Edition::select(EditionId::English);
        const QString path = freshFile(EditionId::English);
        {
            auto c = openFile(path);
            QVERIFY(RecordingDetailsStore::write(*c, fullDetails()));
        }
        execOn(path, QStringLiteral("insert into ambpdetails values ('Insurance', 'AOK 123')"));
        execOn(path, QStringLiteral("update ambpdetails set Value = '1951-02-30' where Field = 'BirthDate'"));
        execOn(path, QStringLiteral("update ambpdetails set Value = '25:99' where Field = 'Bedtime'"));
        execOn(path, QStringLiteral("update ambpdetails set Value = 'high' where Field = 'OfficeSys'"));
        execOn(path, QStringLiteral("update ambpdetails set Value = 'yes' where Field = 'Sex'"));
        execOn(path, QStringLiteral("update ambpdetails set Value = '2025-13-01T08:00' where Field = 'RecordingStart'"));
        auto c = openFile(path);
        const std::optional<RecordingDetails> d = RecordingDetailsStore::read(*c);
        QVERIFY(d);
        QVERIFY(d->birthDate.isNull());
        QVERIFY(d->bedtime.isNull());
        QVERIFY(!d->officeSys);
        QCOMPARE(d->officeDia, 94);
        QCOMPARE(d->sex, PatientSex::Unknown);
        QVERIFY(!d->recordingStart.isValid());
        QCOMPARE(d->wakeUp, QTime(6, 15));
        QVERIFY(RecordingDetailsStore::write(*c, *d));
        c.reset();
        SqliteFile db;
        QVERIFY(db.open(path, SqliteFile::Mode::ReadOnly));
        QSqlQuery q(db.database());
        QVERIFY(q.exec(QStringLiteral("select Value from ambpdetails where Field = 'Insurance'")) && q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("AOK 123"));
    }

    void foreignTableIsReportedNotTakenForEmpty()
    {
        Edition::select(EditionId::English);
        const QString path = freshFile(EditionId::English);
        execOn(path, QStringLiteral("create table ambpdetails (Other INTEGER)"));
        auto c = openFile(path);
        QString why;
        QVERIFY(!RecordingDetailsStore::read(*c, &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!RecordingDetailsStore::write(*c, fullDetails(), &why));
        QVERIFY(!why.isEmpty());
    }

    void refusedWriteKeepsWhatWasStored()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        Edition::select(EditionId::English);
        const QString path = freshFile(EditionId::English);
        RecordingDetails first;
        first.surname = QStringLiteral("First");
        {
            auto c = openFile(path);
            QVERIFY(RecordingDetailsStore::write(*c, first));
        }
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        {
            auto c = openFile(path);
            QString why;
            QVERIFY(!RecordingDetailsStore::write(*c, fullDetails(), &why));
            QVERIFY(!why.isEmpty());
            QVERIFY(!RecordingReview::setAside(*c, 1, {}, &why));
            QVERIFY(*RecordingDetailsStore::read(*c) == first);
        }
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }

    void setAsideSurvivesReopenAndSave_data() { oldFileReadsEmptyAndStaysUnchanged_data(); }
    void setAsideSurvivesReopenAndSave()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        const QString path = freshFile(edition, 6);
        QString why;
        {
            auto c = openFile(path);
            QVERIFY(RecordingReview::setAside(*c, 1, {SetAsideReason::Artefact, {}}, &why));
            QVERIFY(RecordingReview::setAside(*c, 3, {SetAsideReason::Other, QStringLiteral("cuff off")}, &why));
            QVERIFY(RecordingReview::setAside(*c, 5, {SetAsideReason::PatientReport, QStringLiteral("ran")}, &why));
            // A second mark changes the reason.
            QVERIFY(RecordingReview::setAside(*c, 1, {SetAsideReason::PatientMoved, QStringLiteral("walk")}, &why));
            QVERIFY(RecordingReview::takeBack(*c, 5, &why));
            QVERIFY(RecordingReview::takeBack(*c, 6, &why)); // never set aside
            // No such reading; Other without a text.
            QVERIFY(!RecordingReview::setAside(*c, 99, {}, &why));
            QCOMPARE(why, catText("review.msgNoSuchReading").arg(99));
            QVERIFY(!RecordingReview::setAside(*c, 2, {SetAsideReason::Other, QStringLiteral("  ")}, &why));
            QCOMPARE(why, catText("review.msgOtherNeedsText"));
        }
        const SetAsideReadings expected = {{1, {SetAsideReason::PatientMoved, QStringLiteral("walk")}},
                                           {3, {SetAsideReason::Other, QStringLiteral("cuff off")}}};
        QCOMPARE(*RecordingReview::read(*openFile(path)), expected);
        const QString copy = m_dir.filePath(QStringLiteral("saved%1.amb").arg(m_n));
        QVERIFY2(DataFileCopy::copyDatabase(path, copy, &why), qPrintable(why));
        QCOMPARE(*RecordingReview::read(*openFile(copy)), expected);

        // A deleted reading's mark is no longer reported.
        auto rs = openRecords(copy);
        QVERIFY(rs->moveFirst());
        QVERIFY(rs->deleteRecord());
        QCOMPARE(RecordingReview::read(*gConnection)->count(1), size_t(0));
        QCOMPARE(RecordingReview::read(*gConnection)->size(), size_t(1));
    }

    void unknownReasonCodeReadsAsOther()
    {
        Edition::select(EditionId::English);
        const QString path = freshFile(EditionId::English);
        QVERIFY(RecordingReview::setAside(*openFile(path), 2, {SetAsideReason::Artefact, {}}));
        execOn(path, QStringLiteral("update ambpreview set Reason = 'tremor', Note = 'n'"));
        const SetAsideReadings marks = *RecordingReview::read(*openFile(path));
        QCOMPARE(marks.at(2).reason, SetAsideReason::Other);
        QCOMPARE(marks.at(2).note, QStringLiteral("n"));
    }

    void currentFileFunctionsUseTheCurrentFile()
    {
        Edition::select(EditionId::German);
        const QString path = freshFile(EditionId::German);
        gDataFile = path;
        gFileReady = true;
        RecordingDetails d;
        d.patientNumber = QStringLiteral("77");
        QString why;
        QVERIFY2(RecordingDetailsStore::writeCurrent(d, &why), qPrintable(why));
        QVERIFY2(RecordingReview::setAsideCurrent(3, {}, &why), qPrintable(why));
        resetAll();
        gDataFile = path;
        gFileReady = true;
        QCOMPARE(RecordingDetailsStore::readCurrent()->patientNumber, QStringLiteral("77"));
        QCOMPARE(RecordingReview::readCurrent()->count(3), size_t(1));
        QVERIFY(RecordingReview::takeBackCurrent(3));
        QVERIFY(RecordingReview::readCurrent()->empty());
    }

    // Without a start given, the start is the earliest reading's moment,
    // whatever the order of the rows; a row without a date or a time, or
    // one being added, is no reading. The file is only read.
    void theStartIsTheEarliestReadingWhenNoneIsGiven()
    {
        Edition::select(EditionId::English);
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("start%1.amb").arg(++m_n)), EditionId::English);
        std::vector<BpRow> rows(5, BpRow{120, 80, 93, 70});
        rows[0].date = QDate(2026, 1, 1);
        rows[0].time = QTime(0, 30);
        rows[1].date = QDate(2025, 12, 31);
        rows[1].time = QTime(23, 50);
        rows[2].date = QDate(2025, 12, 31);
        rows[2].time = QTime();     // no time
        rows[3].date = QDate();     // no date
        rows[3].time = QTime(1, 0);
        rows[4].date = QDate(2026, 1, 2);
        insertRows(path, EditionId::English, rows);
        const QByteArray before = fileBytes(path);
        const QDateTime earliest(QDate(2025, 12, 31), QTime(23, 50), Qt::UTC);
        {
            auto c = openFile(path);
            Recordset rs;
            QVERIFY(rs.open(AmbSchema::recordQuery(), c));
            QCOMPARE(earliestReadingOf(rs), earliest);
            RecordingDetails d;
            QCOMPARE(recordingStartOf(d, c), earliest);
            QCOMPARE(withRecordingStart(d, earliest).recordingStart, earliest);
            d.recordingStart = QDateTime(QDate(2025, 12, 30), QTime(9, 0), Qt::UTC);
            QCOMPARE(recordingStartOf(d, c), d.recordingStart);
            QCOMPARE(withRecordingStart(d, earliest).recordingStart, d.recordingStart);
            // Without a patient the headline is empty, with one it names the start.
            QCOMPARE(patientHeadlineOf(rs), QString());
            QVERIFY(!namesPatient(d));
            d.birthDate = QDate(1950, 2, 3);
            QVERIFY(namesPatient(d));
            // A record being added earlier than all is not a reading yet.
            QVERIFY(rs.addNew());
            QVERIFY(rs.setValue(rs.fieldIndex(QStringLiteral("Date")), QDate(2020, 1, 1)));
            QVERIFY(rs.setValue(rs.fieldIndex(QStringLiteral("Time")), QTime(1, 0)));
            QCOMPARE(earliestReadingOf(rs), earliest);
            rs.cancelUpdate();
            rs.close();
        }
        QCOMPARE(fileBytes(path), before);
        {
            auto c = openFile(path);
            RecordingDetails d;
            d.surname = QStringLiteral("Doe");
            QVERIFY(RecordingDetailsStore::write(*c, d));
            Recordset rs;
            QVERIFY(rs.open(AmbSchema::recordQuery(), c));
            QCOMPARE(patientHeadlineOf(rs), QStringLiteral("Doe \u00b7 recording from 12/31/2025 23:50"));
            rs.close();
        }
        // An empty file has no start.
        const QString empty = makeDataFile(m_dir.filePath(QStringLiteral("empty%1.amb").arg(++m_n)), EditionId::English);
        auto c = openFile(empty);
        QCOMPARE(recordingStartOf(RecordingDetails{}, c), QDateTime());
    }
};

QTEST_GUILESS_MAIN(TestRecordingDetails)
#include "test_recordingdetails.moc"
