// A request's result goes back after the program was closed, through two
// runs of the program offscreen, each its own process (nothing in memory
// survives): in the first the practice system's 6302 arrives and New makes
// the patient's file; the second opens that file, says the result is due,
// reads a recording from the recorder on a pseudo-terminal and stores it,
// and the 6310 lies in the result folder. Each run is this program started
// again with --run, with the same settings store and folders, in both
// editions; a run that hangs is ended and fails the test.
#include "AppTestSupport.h"
#include "GdtLinkFiles.h"

#include "app/GdtLink.h"
#include "app/Main.h"
#include "app/AppSettings.h"
#include "comm/PtyWait.h"
#include "exchange/GdtSettings.h"
#include "platform/SerialSettings.h"
#include "support/ScriptedSeams.h"
#include "tools/recorder/BurstBuilder.h"
#include "tools/recorder/PtyEndpoint.h"
#include "views/CommWindows.h"
#include "views/frmRead.h"

#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

using namespace apptest;

namespace {

constexpr int kRunTimeoutMs = 60000;

// The folders of a practice's set-up, under one root.
struct Folders {
    QString root;
    QString import() const { return root + QStringLiteral("/in"); }
    QString exportFolder() const { return root + QStringLiteral("/out"); }
    QString data() const { return root + QStringLiteral("/data"); }
    QString program() const { return root + QStringLiteral("/program"); }
    QString patientFile() const { return data() + QString::fromUtf8("/Müller_Anna_4711_2026-03-08.amb"); }
};

QString dueText()
{
    return ed("Result due for the practice system: Müller, Anna (4711)",
              "Ergebnis für das Praxissystem fällig: Müller, Anna (4711)");
}

bool dueShown()
{
    return mainWindow()->lblGdtResultDue()->isVisibleTo(mainWindow());
}

} // namespace

// One run of the program: started as the program starts, used, ended.
class ProgramRun : public QObject {
    Q_OBJECT
public:
    explicit ProgramRun(Folders folders) : m_folders(std::move(folders)) {}

private slots:
    void first()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 8), QTime(12, 0));
        QVERIFY(Main());
        // The practice system writes its request while the program runs.
        QFile file(m_folders.import() + QStringLiteral("/KORVPRAX.GDT"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(request(GdtRequestKind::NewExamination, "4711", "Müller"));
        file.close();
        QVERIFY(waitUntil([] { return mainWindow()->gdtLink()->waiting().has_value(); }, 10000));
        seams.filePaths.push_back(m_folders.patientFile());
        seams.answers = {MsgAnswer::Yes}; // make the new file
        mainWindow()->mnuFileNew_Click();
        QCOMPARE(gDataFile, m_folders.patientFile());
        QVERIFY(dueShown());
        // New opened the reading window; the recorder is read tomorrow.
        frmRead* read = CommWindows::readWindow();
        QVERIFY(read);
        read->cmdClose->click();
        mainWindow()->mnuFileExit_Click();
        delete gMainWindow;
        gMainWindow = nullptr;
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.unexpectedMessages, 0);
    }

    void second()
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 3, 9), QTime(9, 30));
        PtyEndpoint recorder;
        QVERIFY(recorder.open());
        QVERIFY(writeSetting(kAppTitle, kPortsSection, QString::fromLatin1(AppSettings::kDefaultCommPort),
                             recorder.devicePath()));
        QVERIFY(Main());
        QVERIFY(!dueShown());
        seams.filePaths.push_back(m_folders.patientFile());
        mainWindow()->mnuFileOpen_Click();
        QCOMPARE(gDataFile, m_folders.patientFile());
        QVERIFY(dueShown());
        QCOMPARE(mainWindow()->lblGdtResultDue()->text(), dueText());

        mainWindow()->mnuDataRead_Click();
        frmRead* read = CommWindows::readWindow();
        QVERIFY(read);
        QVERIFY(waitUntil([&] { return read->currentRun() > 0 && recorder.peerIsOpen(); }));
        for (int i = 0; i < 3; ++i) {
            const BpReading r{quint8(130 + 3 * i), 85, 70, 3, 8, quint8(14 + i), 0};
            QCOMPARE(recorder.write(buildBurst(r, BurstShape{96, 5, false})), 96);
            QVERIFY(waitUntil([&] { return read->count() == i + 1; }));
            QTest::qWait(150); // the line's 100 ms for the burst, then a silence
        }
        seams.answers = {MsgAnswer::Yes}; // store them
        read->cmdClose->click();
        QVERIFY2(waitUntil([&] { return QFileInfo::exists(m_folders.exportFolder() + "/PRAXKORV.GDT"); }),
                 qPrintable(seams.messageTexts().join('\n')));
        QVERIFY(!dueShown());
        mainWindow()->mnuFileExit_Click();
        delete gMainWindow;
        gMainWindow = nullptr;
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.unexpectedMessages, 0);
    }

private:
    Folders m_folders;
};

class TestGdtRestart : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    Folders m_folders;

    // This program again, as one run of the program: what went wrong, or
    // nothing.
    QString run(const char* which)
    {
        QProcess child;
        child.setWorkingDirectory(m_folders.program());
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--run"), QString::fromLatin1(which), german() ? "de" : "en", m_folders.root});
        const bool ended = child.waitForFinished(kRunTimeoutMs);
        if (!ended)
            child.kill();
        // Its warnings count as this test's.
        std::fputs(child.readAll().constData(), stdout);
        if (!ended)
            return QStringLiteral("the %1 run hung and was ended").arg(which);
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
            return QStringLiteral("the %1 run failed (output above)").arg(which);
        return QString();
    }

private slots:
    void init()
    {
        m_folders.root = m_dir.filePath(QString::number(QRandomGenerator::global()->generate()));
        for (const QString& folder : {m_folders.import(), m_folders.exportFolder(), m_folders.data(), m_folders.program()})
            QVERIFY(QDir().mkpath(folder));
        // New copies the edition's template of the working folder.
        QVERIFY(QFile::copy(qEnvironmentVariable("KORVANE_BUILD_DIR") + (german() ? "/de/new.amb" : "/en/new.amb"),
                            m_folders.program() + "/new.amb"));
        clearSettingsStore();
        GdtSettings s;
        s.enabled = true;
        s.importFolder = m_folders.import();
        s.exportFolder = m_folders.exportFolder();
        QVERIFY(GdtSettingsStore::store(s));
        QVERIFY(writeSetting(kAppTitle, "Folders", "DataFiles", m_folders.data()));
        setSetting(AppSettings::kLogin, QString::fromLatin1(AppSettings::kNo));
    }

    void resultSentInTheNextRun()
    {
        const QString first = run("first");
        QVERIFY2(first.isEmpty(), qPrintable(first));
        QVERIFY(!QFileInfo::exists(m_folders.import() + "/KORVPRAX.GDT")); // taken
        QVERIFY(QDir(m_folders.exportFolder()).isEmpty());
        const std::optional<GdtOrigin> due = originOf(m_folders.patientFile());
        QVERIFY(due);
        QVERIFY(due->resultDue);

        const QString second = run("second");
        QVERIFY2(second.isEmpty(), qPrintable(second));
        const QString result = m_folders.exportFolder() + "/PRAXKORV.GDT";
        const QHash<int, QString> fields = fieldsOf(result);
        QCOMPARE(fields.value(8000), QStringLiteral("6310"));
        QCOMPARE(fields.value(3000), QStringLiteral("4711"));
        QCOMPARE(fields.value(3101), QString::fromUtf8("Müller"));
        QCOMPARE(fields.value(3102), QStringLiteral("Anna"));
        QCOMPARE(testValues(result).value("ANZAHL"), QStringLiteral("3"));
        const std::optional<GdtOrigin> sent = originOf(m_folders.patientFile());
        QVERIFY(sent);
        QVERIFY(!sent->resultDue);
        QCOMPARE(sent->sentAs, result);
        QCOMPARE(sent->taken, QDateTime(QDate(2026, 3, 8), QTime(12, 0)).toUTC());
        QCOMPARE(sent->sent, QDateTime(QDate(2026, 3, 9), QTime(9, 30)).toUTC());
    }
};

int main(int argc, char** argv)
{
    if (argc == 5 && qstrcmp(argv[1], "--run") == 0) {
        Edition::select(qstrcmp(argv[3], "de") == 0 ? EditionId::German : EditionId::English);
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QApplication app(argc, argv);
        ProgramRun run(Folders{QString::fromLocal8Bit(argv[4])});
        char* function[] = {argv[0], argv[2]};
        return QTest::qExec(&run, 2, function);
    }
    return runInBothEditions<TestGdtRestart>(argc, argv);
}
#include "test_gdtrestart.moc"
