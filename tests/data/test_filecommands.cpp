// New, Open, Save and Close in both editions, through the message and
// file-dialog seams, with the template made at build time.
#include "data/DataTestSupport.h"
#include "data/AmbFileCheck.h"
#include "data/FileCommands.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "text/MessageCatalogue.h"
#include "support/ScriptedSeams.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString templateOfBuild(EditionId e)
{
    return qEnvironmentVariable("KORVANE_BUILD_DIR") + (e == EditionId::German ? "/de/new.amb" : "/en/new.amb");
}

struct Texts {
    QString newFile, exists, system, openNewFile, missingNew, missingOpen, overwrite, notReady, otherEdition;
};

Texts textsFor(bool german, const QString& p)
{
    if (german)
        return {"Datei  " + p + "  , Neu Datei ! , Öffnen",
                "Datei  " + p + "  Exists ! , Öffnen",
                "Datei " + p + " ,KORVANE System Datei , Schließen !",
                "Datei " + p + "  ,Neu Datei ! , Öffnen",
                "KORVANE System Datei New.amb Not Found , Change to Correct Path !",
                "KORVANE System File New.amb Not Found , Change to Correct Path !",
                "Datei  " + p + " Überschreiben ?",
                "Wird das Öffnen Datei !",
                "Datei  " + p + "  kann nicht geöffnet werden ! , Von der anderen Ausgabe (Englisch) erstellt"};
    return {"File  " + p + "  Is a New File ! , Create Now",
            "File  " + p + "  Exists ! , Open Now",
            "File " + p + " Is KORVANE System File , Can not Open !",
            "File  " + p + "  Is a New File ! , Create Now",
            "KORVANE System File New.amb Not Found , Change to Correct Path !",
            "KORVANE System File New.amb Not Found , Change to Correct Path !",
            "File  " + p + "  Exists ! , OverWrite ?",
            "Save File Failure ! , File Not Ready !",
            "File  " + p + "  Can not Open ! , Made by the Other Edition (German)"};
}

// Puts what a user may have at a copy's temporary name: a file of notes,
// a link to victim, or a FIFO. For a FIFO returns a reader's descriptor,
// so that a copy that wrongly opened it fails the test instead of blocking
// it; -1 otherwise.
int placeAt(const QString& part, const QString& kind, const QString& victim)
{
    if (kind == "file") {
        QFile f(part);
        if (!f.open(QIODevice::WriteOnly) || f.write("the user's notes") < 0)
            qFatal("cannot write %s", qPrintable(part));
    } else if (kind == "link") {
        if (!QFile::link(victim, part))
            qFatal("cannot link %s", qPrintable(part));
    } else {
        if (::mkfifo(QFile::encodeName(part).constData(), 0600) != 0)
            qFatal("cannot make the FIFO %s", qPrintable(part));
        const int reader = ::open(QFile::encodeName(part).constData(), O_RDONLY | O_NONBLOCK);
        if (reader < 0)
            qFatal("cannot read the FIFO %s", qPrintable(part));
        return reader;
    }
    return -1;
}

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT
    QTemporaryDir m_root;
    QString m_dir;
    QStringList m_calls;
    FileSystem m_fs;
    int m_n = 0;

    QString path(const QString& name) const { return m_dir + "/" + name; }
    QString filePanel() const { return MainStatusPanels::instance().text(MainStatusPanels::File); }
    QString recordsPanel() const { return MainStatusPanels::instance().text(MainStatusPanels::Records); }
    bool german() const { return Edition::current().isGerman(); }
    QString dataFile(const std::vector<BpRow>& rows, const QString& name)
    {
        const EditionId e = Edition::current().id();
        makeDataFile(path(name), e);
        insertRows(path(name), e, rows);
        return path(name);
    }
    void setReady(const QString& p)
    {
        gDataFile = p;
        gFileReady = true;
        MainStatusPanels::instance().setFile(p);
    }
    static void selectEdition()
    {
        QFETCH_GLOBAL(bool, germanEdition);
        Edition::select(germanEdition ? EditionId::German : EditionId::English);
    }
    void expectState(const QString& file, bool ready)
    {
        QCOMPARE(gDataFile, file);
        QCOMPARE(gFileReady, ready);
        QCOMPARE(filePanel(), catText("frmMain.sbFile") + file);
    }
    static void expectNotice(const ShownMessage& m, const QString& text)
    {
        QCOMPARE(m.text, text);
        QCOMPARE(m.title, catText("frmMain.caption"));
        QCOMPARE(m.icon, MsgIcon::Information);
        QCOMPARE(m.buttons, MsgButtons::Ok);
    }

private slots:
    void initTestCase_data()
    {
        QTest::addColumn<bool>("germanEdition");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }

    void init()
    {
        selectEdition();
        resetAll();
        m_dir = m_root.filePath(QString::number(++m_n));
        QVERIFY(QDir().mkpath(m_dir));
        QVERIFY(QDir::setCurrent(m_dir));
        QVERIFY(QFile::copy(templateOfBuild(Edition::current().id()), path("new.amb")));
        m_calls.clear();
        setFileCommandWindows({[this] { m_calls << "showList"; }, [this] { m_calls << "closeList"; },
                               [this] { m_calls << "showRead"; }, [this] { m_calls << "closeDataWindows"; }});
    }
    void cleanup()
    {
        setFileCommandWindows({});
        resetAll();
    }

    void buildTemplateIsAnEmptyFileOfItsEdition()
    {
        auto rs = openRecords(path("new.amb"));
        QVERIFY(rs->isOpen());
        QCOMPARE(rs->recordCount(), 0);
        QCOMPARE(rs->fieldName(0), Edition::current().colId());
    }

    void newCreatesAFileFromTheTemplate()
    {
        ScriptedSeams seams;
        // Another file is open and its record set in use (a list window that
        // does not load again): the new file's records must still go to the new file.
        const QString previous = dataFile({{120, 80, 93, 70}}, "previous.amb");
        setReady(previous);
        openRecords(previous);
        const QString p = path("patient.amb");
        seams.filePaths = {p};
        FileCommands::newFile();
        QCOMPARE(int(seams.fileRequests.size()), 1);
        QCOMPARE(seams.fileRequests[0].title, german() ? QString("Neu") : QString("New File"));
        QCOMPARE(seams.fileRequests[0].filter, QString("AMB data (*.amb)"));
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), p).newFile);
        QVERIFY(QFile::exists(p));
        QCOMPARE(m_fs.attributes(p), int(FileSystem::Normal));
        QCOMPARE(m_fs.attributes(path("new.amb")), int(FileSystem::Hidden));
        expectState(p, true);
        QCOMPARE(recordsPanel(), " 0" + catText("frmMain.sbRecords"));
        QCOMPARE(m_calls, QStringList({"showList", "closeList", "showRead"}));
        QVERIFY(gRecordset->isOpen());
        QCOMPARE(gRecordset->connection()->dataSource(), p);
        QCOMPARE(gRecordset->recordCount(), 0);
    }

    // The copy is written under a name of its own: a user's file, a link or
    // a FIFO standing where it used to be written is neither opened,
    // followed, replaced nor removed.
    void newLeavesAloneWhatStandsAtTheCopysName()
    {
        const QString victim = path("victim.txt");
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("another file");
        v.close();
        for (const QString kind : {"file", "link", "fifo"}) {
            ScriptedSeams seams;
            const QString p = path("patient-" + kind + ".amb");
            const QString part = p + ".part";
            const int reader = placeAt(part, kind, victim);
            seams.filePaths = {p};
            FileCommands::newFile();
            if (reader >= 0)
                ::close(reader);
            QCOMPARE(int(seams.messages.size()), 1);
            expectNotice(seams.messages[0], textsFor(german(), p).newFile);
            expectState(p, true);
            QVERIFY2(QFileInfo(p).isFile() && !QFileInfo(p).isSymLink(), qPrintable(kind));
            QVERIFY(AmbFileCheck::check(p).ok());
            const QFileInfo left(part);
            if (kind == "file")
                QCOMPARE(fileBytes(part), QByteArray("the user's notes"));
            else if (kind == "link")
                QCOMPARE(left.symLinkTarget(), victim);
            else
                QVERIFY(!left.isFile() && left.exists());
            QCOMPARE(fileBytes(victim), QByteArray("another file"));
            // Nothing else is left beside the new file.
            QCOMPARE(QDir(m_dir).entryList({"patient-" + kind + ".amb*"}, QDir::AllEntries | QDir::System),
                     QStringList({"patient-" + kind + ".amb", "patient-" + kind + ".amb.part"}));
        }
    }

    void newWithAnExistingFileOpensIt()
    {
        ScriptedSeams seams;
        const QString p = dataFile({{120, 80, 93, 70}}, "old.amb");
        seams.filePaths = {p};
        FileCommands::newFile();
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), p).exists);
        expectState(p, true);
        QCOMPARE(m_calls, QStringList({"showList"}));
        QCOMPARE(gRecordset->recordCount(), 1);
    }

    void theTemplateIsNeverOpened()
    {
        ScriptedSeams seams;
        const QString t = path("new.amb");
        setReady(dataFile({}, "ready.amb"));
        seams.filePaths = {t};
        FileCommands::newFile(); // marks the template, then refuses it
        QCOMPARE(int(seams.messages.size()), 2);
        expectNotice(seams.messages[0], textsFor(german(), t).exists);
        expectNotice(seams.messages[1], textsFor(german(), t).system);
        expectState(QString(), false);

        setReady(path("ready.amb"));
        seams.messages.clear();
        seams.filePaths = {t};
        FileCommands::openFile();
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), t).system);
        expectState(QString(), false);
        QVERIFY(m_calls.isEmpty());
    }

    void templateWithoutItsMarkIsStillRefused()
    {
        // A file system that keeps no attributes loses the mark.
        ScriptedSeams seams;
        QVERIFY(m_fs.setAttributes(path("new.amb"), FileSystem::Normal));
        seams.filePaths = {"new.amb"};
        FileCommands::openFile();
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), "new.amb").system);
        expectState(QString(), false);
    }

    void attributesOtherThanExactlyHidden()
    {
        ScriptedSeams seams;
        const QString archived = dataFile({{120, 80, 93, 70}}, "archived.amb");
        QVERIFY(m_fs.setAttributes(archived, FileSystem::Hidden | FileSystem::Archive));
        seams.filePaths = {archived};
        FileCommands::openFile();
        QVERIFY(seams.messages.empty());
        expectState(archived, true);
        QCOMPARE(m_calls, QStringList({"showList"}));

        const QString hidden = dataFile({}, "hidden.amb");
        QVERIFY(m_fs.setAttributes(hidden, FileSystem::Hidden));
        seams.filePaths = {hidden};
        FileCommands::openFile();
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), hidden).system);
        expectState(QString(), false);
    }

    void openWithANewNameCreatesTheFileAndShowsOnlyTheList()
    {
        ScriptedSeams seams;
        const QString p = path("fresh.amb");
        seams.filePaths = {p};
        FileCommands::openFile();
        QCOMPARE(seams.fileRequests[0].title, german() ? QString("Öffnen") : QString("Open File"));
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), p).openNewFile);
        QVERIFY(QFile::exists(p));
        QCOMPARE(m_fs.attributes(p), int(FileSystem::Normal));
        QCOMPARE(m_fs.attributes(path("new.amb")), int(FileSystem::Normal)); // only New marks it
        expectState(p, true);
        QCOMPARE(m_calls, QStringList({"showList"}));
    }

    void templateMissingKeepsThePreviousState()
    {
        ScriptedSeams seams;
        QVERIFY(QFile::remove(path("new.amb")));
        const QString previous = dataFile({}, "previous.amb");
        setReady(previous);
        const QString p = path("wanted.amb");
        seams.filePaths = {p, p};
        FileCommands::newFile();
        FileCommands::openFile();
        QCOMPARE(int(seams.messages.size()), 4);
        expectNotice(seams.messages[0], textsFor(german(), p).newFile);
        expectNotice(seams.messages[1], textsFor(german(), p).missingNew);
        expectNotice(seams.messages[2], textsFor(german(), p).openNewFile);
        expectNotice(seams.messages[3], textsFor(german(), p).missingOpen);
        QVERIFY(!QFile::exists(p));
        expectState(previous, true);
        QVERIFY(m_calls.isEmpty());
    }

    void failedCreationIsReportedAndKeepsThePreviousState()
    {
        ScriptedSeams seams;
        const QString previous = dataFile({}, "previous.amb");
        setReady(previous);
        const QString p = path("no/such/folder/x.amb");
        seams.filePaths = {p};
        FileCommands::newFile();
        QCOMPARE(int(seams.messages.size()), 2);
        QVERIFY(seams.messages[1].text.startsWith(german() ? "Datei  " + p + "  kann nicht erstellt werden ! , "
                                                           : "File  " + p + "  Can not Create ! , "));
        QVERIFY(!QFile::exists(p));
        expectState(previous, true);
    }

    void cancelChangesNothing()
    {
        ScriptedSeams seams;
        QVERIFY(m_fs.setAttributes(path("new.amb"), FileSystem::Normal));
        const QString previous = dataFile({}, "previous.amb");
        setReady(previous);
        seams.filePaths = {QString(), QString(), QString()};
        FileCommands::newFile();
        FileCommands::openFile();
        FileCommands::saveFile();
        QVERIFY(seams.messages.empty());
        QCOMPARE(int(seams.fileRequests.size()), 3);
        expectState(previous, true);
        QCOMPARE(m_fs.attributes(path("new.amb")), int(FileSystem::Hidden)); // New marked it first
        QVERIFY(m_calls.isEmpty());
    }

    void saveMakesAConsistentCopyCurrent()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}, {130, 85, 100, 72}}, "a.amb");
        setReady(a);
        auto rs = openRecords(a);
        rs->moveLast();
        rs->setValue("SYS_mmHg", 131); // pending, not in the file yet
        const QByteArray before = fileBytes(a);
        const QString b = path("b.amb");
        seams.filePaths = {b};
        FileCommands::saveFile();
        QVERIFY(seams.messages.empty());
        QCOMPARE(seams.fileRequests[0].title, german() ? QString("Speichern") : QString("Save File"));
        QCOMPARE(seams.fileRequests[0].kind, FileDialogRequest::Kind::Save);
        QCOMPARE(gSaveAsFile, b);
        expectState(b, true);
        QCOMPARE(fileBytes(a), before);
        // From now on records go into the copy.
        QCOMPARE(gRecordset->connection()->dataSource(), b);
        QCOMPARE(gRecordset->recordCount(), 2);
        gRecordset->moveLast();
        QCOMPARE(gRecordset->value("SYS_mmHg").toInt(), 130);
        QCOMPARE(rs->value("SYS_mmHg").toInt(), 131); // the old set keeps its change
    }

    // The copy's temporary name never meets what a user put there: a file,
    // a link or a FIFO stays as it is; a copy a kill left behind is removed.
    void saveLeavesAloneWhatStandsAtTheCopysName()
    {
        const QString victim = path("victim.txt");
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("another file");
        v.close();
        for (const QString kind : {"file", "link", "fifo", "leftover"}) {
            ScriptedSeams seams;
            const QString a = dataFile({{120, 80, 93, 70}}, "from-" + kind + ".amb");
            setReady(a);
            openRecords(a);
            const QString b = path("to-" + kind + ".amb");
            const QString part = b + ".korvane-part";
            const int reader = kind == "leftover" ? -1 : placeAt(part, kind, victim);
            if (kind == "leftover")
                QVERIFY(QFile::copy(a, part));
            seams.filePaths = {b};
            FileCommands::saveFile();
            if (reader >= 0)
                ::close(reader);
            QVERIFY2(seams.messages.empty(), qPrintable(kind));
            expectState(b, true);
            QVERIFY(AmbFileCheck::check(b).ok());
            if (kind == "file")
                QCOMPARE(fileBytes(part), QByteArray("the user's notes"));
            else if (kind == "link")
                QCOMPARE(QFileInfo(part).symLinkTarget(), victim);
            else if (kind == "fifo")
                QVERIFY(!QFileInfo(part).isFile() && QFileInfo(part).exists());
            else
                QVERIFY(!QFileInfo::exists(part));
            QCOMPARE(fileBytes(victim), QByteArray("another file"));
            const QStringList left = QDir(m_dir).entryList({"to-" + kind + ".amb*"}, QDir::AllEntries | QDir::System);
            QCOMPARE(left, kind == "leftover" ? QStringList({"to-" + kind + ".amb"})
                                              : QStringList({"to-" + kind + ".amb", "to-" + kind + ".amb.korvane-part"}));
        }
    }

    void saveCopiesTheCommittedStateWhileAWriteIsOpen()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}}, "a.amb");
        setReady(a);
        QSqlDatabase writer = QSqlDatabase::addDatabase("QSQLITE", "writer");
        writer.setDatabaseName(a);
        QVERIFY(writer.open());
        {
            QSqlQuery w(writer);
            QVERIFY(w.exec("BEGIN IMMEDIATE"));
            QVERIFY(w.exec("insert into ambpdata (SYS_mmHg) values (199)"));
            const QString b = path("b.amb");
            seams.filePaths = {b};
            FileCommands::saveFile();
            QVERIFY(seams.messages.empty());
            QVERIFY(w.exec("ROLLBACK"));
            QVERIFY(AmbFileCheck::check(b).ok());
            QCOMPARE(openRecords(b)->recordCount(), 1);
        }
        writer.close();
        writer = QSqlDatabase();
        QSqlDatabase::removeDatabase("writer");
    }

    void saveAsksBeforeOverwriting()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}}, "a.amb");
        const QString b = dataFile({}, "b.amb");
        setReady(a);
        const QByteArray oldB = fileBytes(b);
        seams.filePaths = {b};
        seams.answers = {MsgAnswer::No};
        FileCommands::saveFile();
        QCOMPARE(int(seams.messages.size()), 1);
        QCOMPARE(seams.messages[0].text, textsFor(german(), b).overwrite);
        QCOMPARE(seams.messages[0].icon, MsgIcon::Question);
        QCOMPARE(seams.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(seams.messages[0].title, catText("frmMain.caption"));
        QCOMPARE(fileBytes(b), oldB);
        expectState(a, true);

        seams.filePaths = {b};
        seams.answers = {MsgAnswer::Yes};
        FileCommands::saveFile();
        QCOMPARE(int(seams.messages.size()), 2);
        expectState(b, true);
        QCOMPARE(openRecords(b)->recordCount(), 1);
    }

    // Otherwise one patient's readings would seed every later New file.
    void saveNeverOverwritesTheTemplate()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}}, "a.amb");
        setReady(a);
        const QString templ = path("new.amb");
        const QByteArray before = fileBytes(templ);
        seams.filePaths = {templ};
        seams.answers = {MsgAnswer::Yes, MsgAnswer::Ok};
        FileCommands::saveFile();
        QCOMPARE(int(seams.messages.size()), 2);
        QCOMPARE(seams.messages[0].text, textsFor(german(), templ).overwrite);
        // Save's own words: the refusal speaks of overwriting, not of opening.
        QCOMPARE(seams.messages[1].text,
                 german() ? "Datei " + templ + " ,KORVANE System Datei , kann nicht überschrieben werden !"
                          : "File " + templ + " Is KORVANE System File , Can not OverWrite !");
        QCOMPARE(fileBytes(templ), before);
        expectState(a, true);
    }

    void saveNeverCopiesAFileOntoItself()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}}, "a.amb");
        QVERIFY(QFile::link(a, path("link.amb")));
        setReady(a);
        const QByteArray before = fileBytes(a);
        for (const QString& target : {a, path("link.amb"), path("./a.amb")}) {
            seams.messages.clear();
            seams.filePaths = {target};
            FileCommands::saveFile();
            QCOMPARE(int(seams.messages.size()), 1);
            expectNotice(seams.messages[0], catText("data.msgSaveOntoItself").arg(target));
            QCOMPARE(fileBytes(a), before);
            expectState(a, true);
        }
    }

    void failedSaveIsReported()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}}, "a.amb");
        setReady(a);
        const QString target = path("missing/b.amb");
        seams.filePaths = {target};
        FileCommands::saveFile();
        QCOMPARE(int(seams.messages.size()), 1);
        QVERIFY(seams.messages[0].text.startsWith(german() ? "Datei  " + target + "  kann nicht gespeichert werden ! , "
                                                           : "File  " + target + "  Can not Save ! , "));
        expectState(a, true);
        QCOMPARE(QDir(m_dir).entryList(QDir::Files), QStringList({"a.amb", "new.amb"}));
    }

    void saveWithoutAFile()
    {
        ScriptedSeams seams;
        FileCommands::saveFile();
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), QString()).notReady);
        QVERIFY(seams.fileRequests.empty());
    }

    void closeForgetsTheFile()
    {
        ScriptedSeams seams;
        const QString a = dataFile({{120, 80, 93, 70}}, "a.amb");
        setReady(a);
        gSaveAsFile = a;
        auto rs = openRecords(a);
        auto connection = gConnection;
        MainStatusPanels::instance().setRecordCount(1);
        FileCommands::closeFile();
        QVERIFY(!rs->isOpen());
        QVERIFY(!connection->isOpen());
        expectState(QString(), false);
        QVERIFY(gSaveAsFile.isEmpty());
        QCOMPARE(recordsPanel(), QString());
        // Once while the file is still open (a reading window may store its
        // readings), once at the end for any window that storing opened.
        QCOMPARE(m_calls, QStringList({"closeDataWindows", "closeDataWindows"}));
        QVERIFY(seams.messages.empty());
        m_calls.clear();

        // Without an open file the panels are reset and the windows closed all the same.
        MainStatusPanels::instance().setText(MainStatusPanels::Records, "x");
        FileCommands::closeFile();
        QCOMPARE(recordsPanel(), QString());
        QCOMPARE(m_calls, QStringList({"closeDataWindows", "closeDataWindows"}));
    }

    void eachEditionRefusesTheOthersFile()
    {
        ScriptedSeams seams;
        const EditionId other = german() ? EditionId::English : EditionId::German;
        const QString p = makeDataFile(path("other.amb"), other);
        insertRows(p, other, {{120, 80, 93, 70}});
        const QByteArray before = fileBytes(p);
        setReady(dataFile({}, "mine.amb"));
        seams.filePaths = {p};
        FileCommands::openFile();
        QCOMPARE(int(seams.messages.size()), 1);
        expectNotice(seams.messages[0], textsFor(german(), p).otherEdition);
        expectState(QString(), false);
        QCOMPARE(fileBytes(p), before);
    }

    void badFilesAreNamedAndLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reasonKey");
        QTest::newRow("damaged") << "damaged" << "data.reasonDamaged";
        QTest::newRow("text file x.amb") << "text" << "data.reasonNotADatabase";
        QTest::newRow("empty file") << "empty" << "data.reasonNoTable";
    }
    void badFilesAreNamedAndLeftAlone()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reasonKey);
        ScriptedSeams seams;
        QString p = path("x.amb");
        if (kind == "damaged") {
            p = dataFile(std::vector<BpRow>(500, BpRow{120, 80, 93, 70}), "damaged.amb");
            QFile f(p);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(4096);
            f.write(QByteArray(100, char(0xAA)));
        } else {
            QFile f(p);
            QVERIFY(f.open(QIODevice::WriteOnly));
            if (kind == "text")
                f.write("SYS;DIA\n120;80\n");
        }
        const QByteArray before = fileBytes(p);
        const QDateTime modified = QFileInfo(p).lastModified();
        const QStringList filesBefore = QDir(m_dir).entryList(QDir::Files);

        for (int command = 0; command < 2; ++command) {
            setReady(path("new.amb") + "-previous"); // some other file was ready
            seams.messages.clear();
            seams.filePaths = {p};
            if (command == 0)
                FileCommands::openFile();
            else
                FileCommands::newFile();
            QVERIFY(!seams.messages.empty());
            expectNotice(seams.messages.back(), catText("data.msgCannotOpen").arg(p, catText(reasonKey.toLatin1())));
            expectState(QString(), false);
            QCOMPARE(fileBytes(p), before);
            QCOMPARE(QFileInfo(p).lastModified(), modified);
            QCOMPARE(QDir(m_dir).entryList(QDir::Files), filesBefore);
        }
        QVERIFY(m_calls.isEmpty());
    }

    // The dialogs start in the folder a data file was last chosen in (kept
    // in the settings store), or in the documents folder the first time,
    // when that folder is gone, or when it is the program's own (current)
    // folder; and never list the template.
    void dialogsStartInTheFolderLastUsed()
    {
        QTemporaryDir home;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const QString documents = home.path() + "/Documents";
        const QString patients = home.path() + "/patients";
        QVERIFY(QDir().mkpath(documents) && QDir().mkpath(patients));
        QVERIFY(writeSetting(kAppTitle, "Folders", "DataFiles", QString()));
        ScriptedSeams seams;
        const auto lastStart = [&seams] { return seams.fileRequests.back().directory; };

        seams.filePaths = {QString()};
        FileCommands::newFile();
        QCOMPARE(lastStart(), documents);
        QCOMPARE(seams.fileRequests.back().unlistedFiles, QStringList{path("new.amb")});

        seams.filePaths = {patients + "/a.amb", QString()};
        FileCommands::openFile();
        QVERIFY(QFileInfo::exists(patients + "/a.amb"));
        FileCommands::saveFile();
        QCOMPARE(lastStart(), patients);
        QCOMPARE(readSetting(kAppTitle, "Folders", "DataFiles"), patients);

        // A file of the program's folder: the next dialog starts in the documents.
        seams.filePaths = {dataFile({{120, 80, 93, 70}}, "here.amb"), QString()};
        FileCommands::openFile();
        FileCommands::openFile();
        QCOMPARE(lastStart(), documents);

        // A folder that is gone.
        QVERIFY(writeSetting(kAppTitle, "Folders", "DataFiles", patients));
        QVERIFY(QDir(patients).removeRecursively());
        seams.filePaths = {QString()};
        FileCommands::openFile();
        QCOMPARE(lastStart(), documents);

        qputenv("HOME", realHome);
    }
};

QTEST_MAIN(TestFileCommands)
#include "test_filecommands.moc"
