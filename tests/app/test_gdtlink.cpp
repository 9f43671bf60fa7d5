// The link with the practice system in the running program, offscreen in
// both editions: a 6302 in IMPORT shows as waiting, New proposes the
// patient's file and fills its details, stored readings come back as a
// 6310 in EXPORT with the patient and the values of the stored readings
// and a PDF that pdftotext reads; a second request while one waits asks;
// a malformed request goes to failed/ and is named, once, and a failed/
// that is a link is named instead; a file of two records gives its first
// and says so; 6311 opens the newest file of a known patient and names an
// unknown one; an EXPORT that cannot be written keeps the readings stored,
// says so, and Send repeats it.
// The file itself says that its patient came from the practice system, so
// a result is sent when readings are stored after a restart, and is shown
// as due until it was sent; a file of no request never sends. A request
// that comes while New runs waits until New is done, and one the link
// cannot delete waits once, not again after each New. Equal IDs are not
// watched.
#include "AppTestSupport.h"
#include "GdtLinkFiles.h"

#include "app/GdtLink.h"
#include "comm/SaveRecords.h"
#include "data/RecordingDetailsStore.h"
#include "data/DataTransaction.h"
#include "exchange/GdtLines.h"
#include "data/GdtOrigin.h"
#include "exchange/GdtSettings.h"
#include "platform/Connection.h"
#include "state/SharedState.h"
#include "support/ScriptedSeams.h"
#include "support/Unprivileged.h"
#include "tools/practice/PracticeSide.h"
#include "views/CommWindows.h"
#include "views/frmRead.h"
#include "comm/PtyWait.h"
#include "platform/SerialSettings.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace apptest;

namespace {

// A day's recording from 7 March 10:00, every 20 minutes.
QList<BpRecord> readings()
{
    QList<BpRecord> records;
    for (int i = 0; i < 72; ++i) {
        const QDateTime t = QDateTime(QDate(2026, 3, 7), QTime(10, 0)).addSecs(i * 1200);
        records << BpRecord{quint8(130 + i % 9), quint8(80 + i % 4), quint8(70), quint8(t.date().month()),
                            quint8(t.date().day()), quint8(t.time().hour()), quint8(t.time().minute())};
    }
    return records;
}

// The same day's readings moved on by two days: readings the file has not.
QList<BpRecord> laterReadings()
{
    QList<BpRecord> records = readings();
    for (BpRecord& r : records)
        r.day = quint8(r.day + 2);
    return records;
}

bool hasTable(const QString& path, const char* table)
{
    Connection connection;
    QString why;
    return connection.openFile(path) && tableExists(connection.database(), QLatin1String(table), &why).value_or(false);
}

} // namespace

class TestGdtLink : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_import, m_export, m_data;
    frmMain* m_window = nullptr;
    QString m_oldCwd;

    void drop(const QString& name, const QByteArray& bytes)
    {
        QFile file(QDir(m_import).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        m_window->gdtLink()->watcher().scan(); // sees it
        m_window->gdtLink()->watcher().scan(); // takes it once it stayed whole
    }

    // A new main window: everything the last one held in memory is gone,
    // the settings store and the files stay (as after closing the program
    // in the evening and starting it in the morning).
    void restart()
    {
        tearDownShell();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_window = new frmMain;
        gMainWindow = m_window;
        m_window->show();
        m_window->gdtLink()->watcher().setPollInterval(3600 * 1000);
    }

    bool resultDueShown() const { return m_window->lblGdtResultDue()->isVisibleTo(m_window); }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        const QString run = m_dir.filePath(QString::number(QRandomGenerator::global()->generate()));
        for (const char* sub : {"in", "out", "data", "program"})
            QVERIFY(QDir().mkpath(run + u'/' + QLatin1String(sub)));
        m_import = run + QStringLiteral("/in");
        m_export = run + QStringLiteral("/out");
        m_data = run + QStringLiteral("/data");
        // New copies the edition's template of the current folder.
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(run + QStringLiteral("/program"));
        QVERIFY(QFile::copy(qEnvironmentVariable("KORVANE_BUILD_DIR") + (german() ? "/de/new.amb" : "/en/new.amb"),
                            "new.amb"));
        clearSettingsStore();
        GdtSettings s;
        s.enabled = true;
        s.importFolder = m_import;
        s.exportFolder = m_export;
        QVERIFY(GdtSettingsStore::store(s));
        writeSetting(kAppTitle, "Folders", "DataFiles", m_data);
        m_window = new frmMain;
        gMainWindow = m_window;
        m_window->show();
        m_window->gdtLink()->watcher().setPollInterval(3600 * 1000); // the test scans
    }
    void cleanup()
    {
        ScriptedSeams quiet;
        tearDownShell();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QDir::setCurrent(m_oldCwd);
    }

    void requestNewReadingsResult()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Müller"));
        QVERIFY(!QFileInfo::exists(m_import + "/KORVPRAX.GDT")); // taken, deleted
        QVERIFY(m_window->lblGdtRequest()->isVisibleTo(m_window));
        QCOMPARE(m_window->lblGdtRequest()->text(),
                 ed("Request waiting: Müller, Anna (4711, born ", "Anforderung wartet: Müller, Anna (4711, geb. ")
                     + detailsDateText(QDate(1956, 4, 3)) + ")");

        const QString proposed = m_data + "/Müller_Anna_4711_2026-03-08.amb";
        seams.filePaths.push_back(proposed);
        m_window->mnuFileNew_Click();
        QCOMPARE(seams.fileRequests.back().fileName, proposed);
        QCOMPARE(gDataFile, proposed);
        const auto details = RecordingDetailsStore::readCurrent();
        QVERIFY(details);
        QCOMPARE(details->patientNumber, QStringLiteral("4711"));
        QCOMPARE(details->surname, QString::fromUtf8("Müller"));
        QCOMPARE(details->sex, PatientSex::Female);
        QVERIFY(!m_window->lblGdtRequest()->isVisibleTo(m_window));

        // As the reading window does once it has stored a run.
        QVERIFY(SaveRecords(readings()).ok());
        CommWindows::showListWindow();
        const QString result = m_export + "/PRAXKORV.GDT";
        QVERIFY2(QFileInfo::exists(result), qPrintable(seams.messageTexts().join('\n')));
        const QHash<int, QString> fields = fieldsOf(result);
        QCOMPARE(fields.value(8000), QStringLiteral("6310"));
        QCOMPARE(fields.value(3000), QStringLiteral("4711"));
        QCOMPARE(fields.value(3101), QString::fromUtf8("Müller"));
        QCOMPARE(fields.value(3103), QStringLiteral("03041956"));
        // Every 20 minutes: the time-weighted mean counts the first and the last reading half.
        double sys = 0;
        for (const BpRecord& r : readings())
            sys += 2 * r.systolic;
        sys -= readings().first().systolic + readings().last().systolic;
        const QHash<QString, QString> values = testValues(result);
        QCOMPARE(values.value("SYS24"), QString::number(sys / 142, 'f', 1));
        QCOMPARE(values.value("ANZAHL"), QStringLiteral("72"));
        QProcess text;
        text.start("pdftotext", {fields.value(6305), "-"});
        QVERIFY(text.waitForFinished(30000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains(ed("Ambulatory Blood Pressure Report", "Befund der ambulanten Blutdruckmessung")));
    }

    // The whole chain with the recorder on a pseudo-terminal: the reading
    // window that New opens receives the bursts; a request while it holds
    // them asks first; closing it stores them and the result goes back.
    void requestNewRecorderStoredResult()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        PtyEndpoint recorder;
        QVERIFY(recorder.open());
        QVERIFY(writeSetting(kAppTitle, kPortsSection, QStringLiteral("COM1"), recorder.devicePath()));
        gCommPort = QStringLiteral("COM1");
        gCommSet = QStringLiteral("9600,n,8,1");
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Müller"));
        seams.filePaths.push_back(m_data + "/Müller_Anna_4711_2026-03-08.amb");
        m_window->mnuFileNew_Click();
        frmRead* read = CommWindows::readWindow();
        QVERIFY(read);
        QVERIFY(waitUntil([&] { return read->currentRun() > 0 && recorder.peerIsOpen(); }));
        // Hourly: the time-weighted mean counts the first and the last reading half.
        double sys = 0;
        for (int i = 0; i < 6; ++i) {
            const BpReading r{quint8(130 + 3 * i), 85, 70, 3, 7, quint8(10 + i), 0};
            sys += (i == 0 || i == 5 ? 1 : 2) * r.systolic;
            QCOMPARE(recorder.write(buildBurst(r, BurstShape{96, 5, false})), 96);
            QVERIFY(waitUntil([&] { return read->count() == i + 1; }));
            QTest::qWait(150); // the line's 100 ms for the burst, then a silence
        }
        const size_t asked = seams.messages.size();
        seams.answers = {MsgAnswer::No};
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "99", "Other"));
        QCOMPARE(seams.messages.size(), asked + 1);
        QVERIFY(seams.lastMessageText().contains("Other"));
        QVERIFY(!m_window->gdtLink()->waiting());

        seams.answers = {MsgAnswer::Yes};
        read->cmdClose->click();
        const QString result = m_export + "/PRAXKORV.GDT";
        QVERIFY2(waitUntil([&] { return QFileInfo::exists(result); }), qPrintable(seams.messageTexts().join('\n')));
        const QHash<int, QString> fields = fieldsOf(result);
        QCOMPARE(fields.value(3000), QStringLiteral("4711"));
        const QHash<QString, QString> values = testValues(result);
        QCOMPARE(values.value("ANZAHL"), QStringLiteral("6"));
        QCOMPARE(values.value("SYS24"), QString::number(sys / 10, 'f', 1));
    }

    // Request and New in one run, the readings stored in the next (here a
    // new main window; test_gdtrestart runs the program twice): the file
    // says it answers the request, so the result goes back then; the band
    // under the toolbar says it is due until it was sent. More readings
    // stored later make a newer result, which is sent too: the result
    // reflects the file.
    void resultSentAfterRestart()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Müller"));
        const QString file = m_data + "/Müller_Anna_4711_2026-03-08.amb";
        seams.filePaths.push_back(file);
        m_window->mnuFileNew_Click();
        QCOMPARE(gDataFile, file);
        const QString due = ed("Result due for the practice system: Müller, Anna (4711)",
                               "Ergebnis für das Praxissystem fällig: Müller, Anna (4711)");
        QVERIFY(resultDueShown());
        QCOMPARE(m_window->lblGdtResultDue()->text(), due);
        QVERIFY(!m_window->lblGdtRequest()->isVisibleTo(m_window));
        m_window->mnuFileClose_Click();
        QVERIFY(!resultDueShown());

        restart();
        QVERIFY(!resultDueShown());
        seams.filePaths.push_back(file);
        m_window->mnuFileOpen_Click();
        QCOMPARE(gDataFile, file);
        QVERIFY(resultDueShown());
        QCOMPARE(m_window->lblGdtResultDue()->text(), due);
        seams.clock = QDateTime(QDate(2026, 3, 9), QTime(9, 30));
        QVERIFY(SaveRecords(readings()).ok());
        CommWindows::showListWindow();
        const QString result = m_export + "/PRAXKORV.GDT";
        QVERIFY2(QFileInfo::exists(result), qPrintable(seams.messageTexts().join('\n')));
        const QHash<int, QString> fields = fieldsOf(result);
        QCOMPARE(fields.value(8000), QStringLiteral("6310"));
        QCOMPARE(fields.value(3000), QStringLiteral("4711"));
        QCOMPARE(fields.value(3101), QString::fromUtf8("Müller"));
        QVERIFY(!resultDueShown());
        std::optional<GdtOrigin> origin = originOf(file);
        QVERIFY(origin);
        QCOMPARE(origin->patientNumber, QStringLiteral("4711"));
        QCOMPARE(origin->ownId, QStringLiteral("KORV"));
        QCOMPARE(origin->pvsId, QStringLiteral("PRAX"));
        QCOMPARE(origin->taken, QDateTime(QDate(2026, 3, 8), QTime(12, 0)).toUTC());
        QVERIFY(!origin->resultDue);
        QCOMPARE(origin->sentAs, result);
        QCOMPARE(origin->sent, QDateTime(QDate(2026, 3, 9), QTime(9, 30)).toUTC());

        // Sent is remembered too: the next run shows nothing due.
        restart();
        seams.filePaths.push_back(file);
        m_window->mnuFileOpen_Click();
        QVERIFY(!resultDueShown());
        QVERIFY(SaveRecords(laterReadings()).ok());
        CommWindows::showListWindow();
        const QString newer = m_export + "/PRAXKORV.000"; // the first still waits unread
        QVERIFY2(QFileInfo::exists(newer), qPrintable(seams.messageTexts().join('\n')));
        QCOMPARE(fieldsOf(newer).value(3000), QStringLiteral("4711"));
        QCOMPARE(originOf(file)->sentAs, newer);
        QVERIFY(!resultDueShown());
    }

    // Readings stored while the link is off (or the result folder is gone)
    // leave the result due, in the file: the next run still says so, and
    // Send clears it.
    void resultStaysDueUntilSent()
    {
        ScriptedSeams seams;
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Nigro"));
        const QString file = m_data + "/nigro.amb";
        seams.filePaths.push_back(file);
        m_window->mnuFileNew_Click();
        GdtSettings off = GdtSettingsStore::load();
        off.enabled = false;
        QVERIFY(GdtSettingsStore::store(off));
        restart();
        seams.filePaths.push_back(file);
        m_window->mnuFileOpen_Click();
        QVERIFY(SaveRecords(readings()).ok());
        CommWindows::showListWindow();
        QVERIFY(QDir(m_export).isEmpty());
        QVERIFY(resultDueShown());
        QVERIFY(originOf(file)->resultDue);

        off.enabled = true;
        QVERIFY(GdtSettingsStore::store(off));
        restart();
        seams.filePaths.push_back(file);
        m_window->mnuFileOpen_Click();
        QVERIFY(resultDueShown());
        m_window->mnuFileSendGdt_Click();
        QVERIFY2(QFileInfo::exists(m_export + "/PRAXKORV.GDT"), qPrintable(seams.lastMessageText()));
        QVERIFY(!resultDueShown());
        QVERIFY(!originOf(file)->resultDue);
    }

    // A file whose patient was typed in, not given by a request, never sends
    // and gets no table of the link.
    void fileOfNoRequestNeverSends()
    {
        ScriptedSeams seams;
        const QString file = m_data + "/typed.amb";
        seams.filePaths.push_back(file);
        m_window->mnuFileNew_Click();
        QCOMPARE(gDataFile, file);
        RecordingDetails d;
        d.patientNumber = QStringLiteral("4711");
        d.surname = QStringLiteral("Nigro");
        QVERIFY(RecordingDetailsStore::writeCurrent(d));
        QVERIFY(SaveRecords(readings()).ok());
        CommWindows::showListWindow();
        restart();
        seams.filePaths.push_back(file);
        m_window->mnuFileOpen_Click();
        QVERIFY(SaveRecords(laterReadings()).ok());
        CommWindows::showListWindow();
        QVERIFY(QDir(m_export).isEmpty());
        QVERIFY(!resultDueShown());
        QVERIFY(!hasTable(file, GdtOriginStore::kTable));
        QVERIFY(!originOf(file));
    }

    // A request that comes while New's dialogs are open waits in its folder:
    // the file New makes gets the patient of the request that waited when
    // New started, and the new one waits afterwards.
    void requestDuringNewWaitsForIt()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Müller"));
        bool dropped = false;
        seams.onMessage = [&](const ShownMessage&) {
            if (dropped)
                return;
            dropped = true;
            drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "99", "Other"));
        };
        const QString file = m_data + "/Müller_Anna_4711_2026-03-08.amb";
        seams.filePaths.push_back(file);
        m_window->mnuFileNew_Click();
        QVERIFY(dropped); // New said the file is new while B came
        seams.onMessage = nullptr;
        QCOMPARE(gDataFile, file);
        const auto details = RecordingDetailsStore::readCurrent();
        QVERIFY(details);
        QCOMPARE(details->patientNumber, QStringLiteral("4711"));
        QCOMPARE(details->surname, QString::fromUtf8("Müller"));
        QCOMPARE(originOf(file)->patientNumber, QStringLiteral("4711"));
        m_window->gdtLink()->watcher().scan(); // New is done: the new request is taken
        QVERIFY(!QFileInfo::exists(m_import + "/KORVPRAX.GDT"));
        QVERIFY(m_window->gdtLink()->waiting());
        QCOMPARE(m_window->gdtLink()->waiting()->patient.number, QStringLiteral("99"));
        QCOMPARE(RecordingDetailsStore::readCurrent()->patientNumber, QStringLiteral("4711"));
    }

    // A request the practice system's account keeps (the folder is not
    // ours to write): New fills the file from it, and it does not wait again
    // after this New nor the next.
    void keptRequestWaitsOnceOverTwoNews()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        QFile kept(m_import + "/KORVPRAX.GDT");
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write(request(GdtRequestKind::NewExamination, "4711", "Müller"));
        kept.close();
        QVERIFY(QFile::setPermissions(m_import, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        GdtRequestWatcher& watcher = m_window->gdtLink()->watcher();
        watcher.scan();
        watcher.scan();
        const bool waited = m_window->gdtLink()->waiting().has_value();
        seams.filePaths.push_back(m_data + "/first.amb");
        m_window->mnuFileNew_Click();
        const QString firstNumber = RecordingDetailsStore::readCurrent()->patientNumber;
        watcher.scan();
        watcher.scan();
        const bool waitsAfterFirst = m_window->gdtLink()->waiting().has_value();
        seams.filePaths.push_back(m_data + "/second.amb");
        m_window->mnuFileNew_Click();
        watcher.scan();
        watcher.scan();
        QFile::setPermissions(m_import, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QVERIFY(waited);
        QCOMPARE(firstNumber, QStringLiteral("4711"));
        QVERIFY(!waitsAfterFirst);
        QVERIFY(!m_window->gdtLink()->waiting());
        QVERIFY(!m_window->lblGdtRequest()->isVisibleTo(m_window));
        QVERIFY(QFileInfo::exists(m_import + "/KORVPRAX.GDT"));
    }

    // IDs edited by hand into one, in one folder: our own result would be
    // read back as a request; the link says it does not watch, and does not.
    void equalIdsAreNotWatched()
    {
        ScriptedSeams seams;
        GdtSettings s = GdtSettingsStore::load();
        s.exportFolder.clear();
        QVERIFY(GdtSettingsStore::store(s));
        QVERIFY(writeSetting(kAppTitle, "GDT", "OWNID", "PRAX"));
        restart();
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY(seams.lastMessageText().startsWith(ed("GDT Link Not Watching ! , ", "GDT-Anbindung überwacht nicht ! , ")));
        QVERIFY(seams.lastMessageText().contains(m_import));
        drop("PRAXPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Nigro"));
        QVERIFY(QFileInfo::exists(m_import + "/PRAXPRAX.GDT"));
        QVERIFY(!QFileInfo::exists(m_import + "/failed"));
        QVERIFY(!m_window->gdtLink()->waiting());
        QCOMPARE(seams.messages.size(), size_t(1));
    }

    void secondRequestWhileOneWaitsAsks()
    {
        ScriptedSeams seams;
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "1", "First"));
        seams.answers = {MsgAnswer::No};
        drop("korvprax.000", request(GdtRequestKind::NewExamination, "2", "Second"));
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY(seams.lastMessageText().contains("Second") && seams.lastMessageText().contains("First"));
        QCOMPARE(m_window->gdtLink()->waiting()->patient.number, QStringLiteral("1"));
        seams.answers = {MsgAnswer::Yes};
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "3", "Third"));
        QCOMPARE(m_window->gdtLink()->waiting()->patient.number, QStringLiteral("3"));
    }

    void malformedRequestGoesToFailed()
    {
        ScriptedSeams seams;
        QByteArray bad = request(GdtRequestKind::NewExamination, "5", "Bad");
        bad.replace("03041956", "99999999");
        drop("KORVPRAX.GDT", bad);
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY(seams.lastMessageText().contains(m_import + "/KORVPRAX.GDT"));
        QVERIFY(seams.lastMessageText().contains(ed("Line 10", "Zeile 10")));
        QVERIFY(QFileInfo::exists(m_import + "/failed/KORVPRAX.GDT"));
        QVERIFY(QFileInfo::exists(m_import + "/failed/KORVPRAX.GDT.txt"));
        QVERIFY(!m_window->gdtLink()->waiting());
    }

    // Told once, however many scans follow: a failed/ that is a link is
    // named and not followed; a request of two records says what was left.
    void refusalsAreToldOnceAndNamed()
    {
        ScriptedSeams seams;
        QTemporaryDir elsewhere;
        QVERIFY(QFile::link(elsewhere.path(), m_import + "/failed"));
        QByteArray bad = request(GdtRequestKind::NewExamination, "5", "Bad");
        bad.replace("03041956", "99999999");
        drop("KORVPRAX.GDT", bad);
        for (int i = 0; i < 10; ++i)
            m_window->gdtLink()->watcher().scan();
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY(seams.lastMessageText().contains(m_import + "/failed: " + ed("not a folder of its own", "kein eigener Ordner")));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        QVERIFY(QFile::remove(m_import + "/failed") && QFile::remove(m_import + "/KORVPRAX.GDT"));

        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "1", "First")
                                 + request(GdtRequestKind::NewExamination, "2", "Second"));
        QCOMPARE(seams.messages.size(), size_t(2));
        QVERIFY(seams.lastMessageText().contains(ed("from line 12 on", "ab Zeile 12")));
        QVERIFY(seams.lastMessageText().contains(m_import + "/failed/KORVPRAX.GDT"));
        QCOMPARE(m_window->gdtLink()->waiting()->patient.number, QStringLiteral("1"));
    }

    void showExaminationOpensTheNewestFile()
    {
        ScriptedSeams seams;
        for (const char* name : {"/older.amb", "/newer.amb", "/other.amb"}) {
            seams.filePaths.push_back(m_data + name);
            m_window->mnuFileOpen_Click();
            RecordingDetails d;
            d.patientNumber = QString::fromLatin1(qstrcmp(name, "/other.amb") == 0 ? "8" : "7");
            d.recordingStart = QDateTime(QDate(2026, 1, qstrcmp(name, "/older.amb") == 0 ? 5 : 20), QTime(9, 0), Qt::UTC);
            QVERIFY(RecordingDetailsStore::writeCurrent(d));
        }
        m_window->mnuFileClose_Click();
        // The recordings index answers after a fresh look at the folder, on its own thread.
        drop("KORVPRAX.GDT", request(GdtRequestKind::ShowExamination, "7", "Seven"));
        QTRY_COMPARE(gDataFile, m_data + "/newer.amb");
        QVERIFY(gFileReady);
        const size_t before = seams.messages.size();
        drop("KORVPRAX.GDT", request(GdtRequestKind::ShowExamination, "99", "Nobody"));
        QTRY_COMPARE(seams.messages.size(), before + 1);
        QVERIFY(seams.lastMessageText().contains("99") && seams.lastMessageText().contains(m_data));
        QCOMPARE(gDataFile, m_data + "/newer.amb");
    }

    // A file whose details give no start is as new as its earliest reading,
    // whatever its file time says (a copy, a restore from backup).
    void showExaminationTakesTheEarliestReadingForAMissingStart()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        for (const char* name : {"/given.amb", "/read.amb"}) {
            seams.filePaths.push_back(m_data + name);
            m_window->mnuFileOpen_Click();
            RecordingDetails d;
            d.patientNumber = QStringLiteral("7");
            if (qstrcmp(name, "/given.amb") == 0)
                d.recordingStart = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
            QVERIFY(RecordingDetailsStore::writeCurrent(d));
            if (qstrcmp(name, "/read.amb") == 0)
                QVERIFY(SaveRecords(readings()).ok()); // from 7 March 10:00
        }
        m_window->mnuFileClose_Click();
        QFile read(m_data + "/read.amb");
        QVERIFY(read.open(QIODevice::ReadWrite));
        QVERIFY(read.setFileTime(QDateTime(QDate(2020, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
        read.close();
        drop("KORVPRAX.GDT", request(GdtRequestKind::ShowExamination, "7", "Seven"));
        QTRY_COMPARE(gDataFile, m_data + "/read.amb");
        // Looking did not give the file a start.
        QCOMPARE(RecordingDetailsStore::readCurrent()->recordingStart, QDateTime());
    }

    void unwritableExportKeepsReadingsAndSendRepeats()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        drop("KORVPRAX.GDT", request(GdtRequestKind::NewExamination, "4711", "Nigro"));
        seams.filePaths.push_back(m_data + "/nigro.amb");
        m_window->mnuFileNew_Click();
        QVERIFY(QDir(m_export).removeRecursively()); // the share went away
        QVERIFY(SaveRecords(readings()).ok());
        CommWindows::showListWindow();
        QVERIFY(seams.lastMessageText().contains(m_export));
        QCOMPARE(gRecordCount, 72);
        QVERIFY(QDir().mkpath(m_export));
        m_window->mnuFileSendGdt_Click();
        QVERIFY2(QFileInfo::exists(m_export + "/PRAXKORV.GDT"), qPrintable(seams.lastMessageText()));
        QCOMPARE(fieldsOf(m_export + "/PRAXKORV.GDT").value(3101), QStringLiteral("Nigro"));
    }

    void sendRefusedWithoutFileOrPatientNumber()
    {
        ScriptedSeams seams;
        m_window->mnuFileSendGdt_Click();
        QCOMPARE(seams.lastMessageText(), ed("Send to Practice System Failure ! , File Not Ready !",
                                             "Wird das Öffnen Datei !"));
        seams.filePaths.push_back(m_data + "/anonymous.amb");
        m_window->mnuFileOpen_Click();
        m_window->mnuFileSendGdt_Click();
        QVERIFY(seams.lastMessageText().contains(ed("patient number", "Patientennummer")));
        QVERIFY(QDir(m_export).isEmpty());
    }
};

int main(int argc, char** argv)
{
    return runInBothEditions<TestGdtLink>(argc, argv);
}
#include "test_gdtlink.moc"
