// The link with the practice system in the running program, offscreen in
// both editions: a 6302 in IMPORT shows as waiting, New proposes the
// patient's file and fills its details, stored readings come back as a
// 6310 in EXPORT with the patient and the values of the stored readings
// and a PDF that pdftotext reads; a second request while one waits asks;
// a malformed request goes to failed/ and is named; 6311 opens the newest
// file of a known patient and names an unknown one; an EXPORT that cannot
// be written keeps the readings stored, says so, and Send repeats it.
#include "AppTestSupport.h"

#include "app/GdtLink.h"
#include "comm/SaveRecords.h"
#include "data/RecordingDetailsStore.h"
#include "exchange/GdtLines.h"
#include "exchange/GdtSettings.h"
#include "state/SharedState.h"
#include "support/ScriptedSeams.h"
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

QHash<int, QString> fieldsOf(const QString& path)
{
    QFile file(path);
    QHash<int, QString> fields;
    if (file.open(QIODevice::ReadOnly))
        for (const GdtLine& line : gdtLines(file.readAll()))
            if (!fields.contains(line.fieldId))
                fields.insert(line.fieldId, gdtDecode(line.content, GdtCharset::Cp437));
    return fields;
}

// Test values and idents in order.
QHash<QString, QString> testValues(const QString& path)
{
    QFile file(path);
    QHash<QString, QString> values;
    QString ident;
    if (file.open(QIODevice::ReadOnly))
        for (const GdtLine& line : gdtLines(file.readAll())) {
            if (line.fieldId == 8410)
                ident = QString::fromLatin1(line.content);
            else if (line.fieldId == 8420)
                values.insert(ident, QString::fromLatin1(line.content));
        }
    return values;
}

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

QByteArray request(GdtRequestKind kind, const char* number, const char* surname)
{
    PracticeRequest r;
    r.kind = kind;
    r.patient.number = QString::fromLatin1(number);
    r.patient.surname = QString::fromUtf8(surname);
    r.patient.firstName = QStringLiteral("Anna");
    r.patient.birthDate = QDate(1956, 4, 3);
    r.patient.sex = GdtSex::Female;
    return practiceRequestFile(r);
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
        double sys = 0;
        for (const BpRecord& r : readings())
            sys += r.systolic;
        const QHash<QString, QString> values = testValues(result);
        QCOMPARE(values.value("SYS24"), QString::number(sys / 72, 'f', 1));
        QCOMPARE(values.value("ANZAHL"), QStringLiteral("72.0"));
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
        double sys = 0;
        for (int i = 0; i < 6; ++i) {
            const BpReading r{quint8(130 + 3 * i), 85, 70, 3, 7, quint8(10 + i), 0};
            sys += r.systolic;
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
        QCOMPARE(values.value("ANZAHL"), QStringLiteral("6.0"));
        QCOMPARE(values.value("SYS24"), QString::number(sys / 6, 'f', 1));
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
                                             "An Praxissystem senden nicht möglich ! , Datei nicht bereit !"));
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
