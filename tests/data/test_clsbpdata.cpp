// The record cursor: creation, moves and beeps, editing commands, the
// shared record set and the failure path.
#include "data/DataTestSupport.h"
#include "data/clsbpdata.h"
#include "text/MessageCatalogue.h"
#include "support/ScriptedSeams.h"

#include <QSignalSpy>
#include <QtTest>

class TestClsbpdata : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    int m_files = 0;

    QString fileWith(const std::vector<BpRow>& rows, EditionId edition = EditionId::English)
    {
        const QString path = makeDataFile(m_dir.filePath(QStringLiteral("c%1.amb").arg(++m_files)), edition);
        insertRows(path, edition, rows);
        return path;
    }
    static void ready(const QString& path)
    {
        gDataFile = path;
        gFileReady = true;
        MainStatusPanels::instance().setFile(path);
    }
    static int sysNow() { return gRecordset->value("SYS_mmHg").toInt(); }

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        resetAll();
    }
    void cleanup() { resetAll(); }

    void creationOpensCountsAndRunsTheStatistic()
    {
        ScriptedSeams seams;
        std::vector<BpRow> rows(12, BpRow{120, 80, 93, 70});
        rows[4] = BpRow{170, 80, 110, 70};
        ready(fileWith(rows));
        clsbpdata cursor;
        QVERIFY(cursor.isOpen());
        QVERIFY(gFileReady);
        QVERIFY(gConnection && gConnection->isOpen());
        QVERIFY(gRecordset && gRecordset->isOpen());
        QCOMPARE(gRecordCount, 12);
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records), QString(" 12 Records"));
        QCOMPARE(gBpStats.count, 12);
        QCOMPARE(bpClassAt(5), QString("Hypertension"));
        QCOMPARE(cursor.AbsolutePosition(), 1);
        QCOMPARE(cursor.GetDataMember("Primary"), gRecordset);
        QVERIFY(!cursor.GetDataMember("Secondary"));
        QCOMPARE(cursor.dataMembers(), QStringList{"Primary"});
        QVERIFY(seams.messages.empty());
    }

    void germanPanelAndColumns()
    {
        Edition::select(EditionId::German);
        ScriptedSeams seams;
        ready(fileWith({{120, 80, 93, 70}, {121, 81, 94, 71}}, EditionId::German));
        clsbpdata cursor;
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records), QString(" 2 Protokolle"));
        QCOMPARE(gRecordset->fieldName(0), QString("Nr_"));
        QCOMPARE(gRecordset->fieldName(6), QString("Puls_min"));
    }

    void countIsNotLimitedTo16Bits()
    {
        ScriptedSeams seams;
        ready(fileWith(std::vector<BpRow>(33000, BpRow{120, 80, 93, 70})));
        clsbpdata cursor;
        QVERIFY(gFileReady);
        QCOMPARE(gRecordCount, 33000);
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records), QString(" 33000 Records"));
        QCOMPARE(gBpStats.count, 33000);
        cursor.MoveLast();
        QCOMPARE(cursor.AbsolutePosition(), 33000);
    }

    void creationWithNoPathSaysSoOnce()
    {
        ScriptedSeams seams;
        gFileReady = true;
        MainStatusPanels::instance().setFile("/keep");
        clsbpdata cursor;
        QCOMPARE(int(seams.messages.size()), 1);
        QCOMPARE(seams.messages[0].text, QString("Open Data Table Failure ! , File Not Ready !"));
        QCOMPARE(seams.messages[0].title, catText("frmMain.caption"));
        QCOMPARE(seams.messages[0].icon, MsgIcon::Information);
        QVERIFY(!gFileReady);
        QVERIFY(!cursor.isOpen());
        QVERIFY(!gRecordset);
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::File), QString("File: /keep"));
    }

    void failedOpenNamesTheFileAndTheReason_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing" << "File Not Found";
        QTest::newRow("other edition") << "german" << "Made by the Other Edition (German)";
        QTest::newRow("text") << "text" << "Not an AMB Data File";
    }
    void failedOpenNamesTheFileAndTheReason()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        ScriptedSeams seams;
        QString path = m_dir.filePath("gone.amb");
        if (kind == "german")
            path = fileWith({{120, 80, 93, 70}}, EditionId::German);
        if (kind == "text") {
            path = m_dir.filePath("x.amb");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a data file\n");
        }
        const QByteArray before = fileBytes(path);
        ready(path);
        MainStatusPanels::instance().setRecordCount(5);
        clsbpdata cursor;
        QVERIFY(!cursor.isOpen());
        QVERIFY(!gFileReady);
        QVERIFY(!gConnection->isOpen());
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::File), QString("File: "));
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records), QString());
        QCOMPARE(int(seams.messages.size()), 1);
        QCOMPARE(seams.messages[0].text, QString("File  %1  Can not Open ! , %2").arg(path, reason));
        QCOMPARE(QFile::exists(path), kind != "missing");
        QCOMPARE(fileBytes(path), before);
    }

    void emptyFileMovesNothingAndDoesNotBeep()
    {
        ScriptedSeams seams;
        ready(fileWith({}));
        clsbpdata cursor;
        QCOMPARE(MainStatusPanels::instance().text(MainStatusPanels::Records), QString(" 0 Records"));
        QVERIFY(cursor.MoveFirst());
        QVERIFY(cursor.MoveLast());
        QVERIFY(cursor.MoveNext());
        QVERIFY(cursor.MovePrevious());
        QVERIFY(cursor.Delete());
        QVERIFY(cursor.Update());
        QVERIFY(cursor.Cancel());
        QCOMPARE(seams.beeps, 0);
        QVERIFY(cursor.AbsolutePosition() < 1);
        QVERIFY(!cursor.EditingRecord());
    }

    void walkingPastEitherEndBeepsOnceAndStays()
    {
        ScriptedSeams seams;
        ready(fileWith({{101}, {102}, {103}}));
        clsbpdata cursor;
        cursor.MovePrevious();
        QCOMPARE(seams.beeps, 1);
        QCOMPARE(cursor.AbsolutePosition(), 1);
        cursor.MoveNext();
        cursor.MoveNext();
        QCOMPARE(seams.beeps, 1);
        QCOMPARE(sysNow(), 103);
        cursor.MoveNext();
        QCOMPARE(seams.beeps, 2);
        QCOMPARE(cursor.AbsolutePosition(), 3);
        cursor.MoveFirst();
        QCOMPARE(sysNow(), 101);
        cursor.MoveLast();
        QCOMPARE(sysNow(), 103);
        QCOMPARE(seams.beeps, 2);
    }

    void deleteMovesOnAndBeepsAtTheLastRow()
    {
        ScriptedSeams seams;
        ready(fileWith({{101}, {102}, {103}}));
        clsbpdata cursor;
        cursor.MoveNext();
        QVERIFY(cursor.Delete());
        QCOMPARE(sysNow(), 103);
        QCOMPARE(seams.beeps, 0);
        QVERIFY(cursor.Delete()); // the last of several
        QCOMPARE(seams.beeps, 1);
        QCOMPARE(sysNow(), 101);
        QCOMPARE(cursor.AbsolutePosition(), 1);
        QVERIFY(cursor.Delete()); // the only row
        QCOMPARE(seams.beeps, 1);
        QVERIFY(gRecordset->bof() && gRecordset->eof());
        QVERIFY(cursor.Requery());
        QCOMPARE(gRecordset->recordCount(), 0);
    }

    void updateWritesAndLeavesTheFirstRowCurrent()
    {
        ScriptedSeams seams;
        ready(fileWith({{101}, {102}}));
        clsbpdata cursor;
        cursor.MoveLast();
        QVERIFY(cursor.AddNew());
        QVERIFY(cursor.EditingRecord());
        gRecordset->setValue("SYS_mmHg", 180);
        gRecordset->setValue("DIA_mmHg", 90);
        QString why;
        QVERIFY2(cursor.Update(&why), qPrintable(why));
        QVERIFY(!cursor.EditingRecord());
        QCOMPARE(cursor.AbsolutePosition(), 1);
        QCOMPARE(gBpStats.count, 3);
        QCOMPARE(bpClassAt(3), QString("Hypertension"));
        QVERIFY(cursor.Requery());
        QCOMPARE(gRecordset->recordCount(), 3);
    }

    void cancelDropsAPendingChange()
    {
        ScriptedSeams seams;
        ready(fileWith({{101}, {102}}));
        clsbpdata cursor;
        cursor.AddNew();
        gRecordset->setValue("SYS_mmHg", 150);
        QVERIFY(cursor.Cancel());
        QVERIFY(!cursor.EditingRecord());
        QCOMPARE(gRecordset->recordCount(), 2);
        gRecordset->setValue("SYS_mmHg", 111);
        QVERIFY(cursor.Cancel());
        QCOMPARE(sysNow(), 101);
    }

    void failedWriteIsReportedAndNothingTypedIsLost()
    {
        ScriptedSeams seams;
        const QString path = fileWith({{101}, {102}});
        ready(path);
        clsbpdata cursor;
        gRecordset->setValue("SYS_mmHg", 150);
        // Another program removes the row meanwhile.
        {
            auto conn = std::make_shared<Connection>();
            QVERIFY(conn->openFile(path));
            Recordset other;
            QVERIFY(other.open(AmbSchema::recordQuery(), conn));
            QVERIFY(other.deleteRecord());
        }
        QString why;
        QVERIFY(!cursor.Update(&why));
        QVERIFY(why.contains("no longer in the file"));
        QVERIFY(cursor.EditingRecord());
        QCOMPARE(sysNow(), 150);
        QVERIFY(!cursor.MoveNext());
        QVERIFY(!cursor.lastError().isEmpty());
        QVERIFY(cursor.Cancel());
        QVERIFY(cursor.MoveNext());
    }

    void secondCursorTakesOver()
    {
        ScriptedSeams seams;
        ready(fileWith({{101}, {102}, {103}}));
        clsbpdata first;
        const std::shared_ptr<Recordset> boundEarlier = first.GetDataMember("Primary");
        boundEarlier->moveLast();
        clsbpdata second;
        QVERIFY(gRecordset != boundEarlier);
        QVERIFY(boundEarlier->isOpen()); // a consumer keeps what it bound
        QCOMPARE(boundEarlier->absolutePosition(), 3);
        QCOMPARE(first.GetDataMember("Primary"), gRecordset);
        first.MoveNext();
        QCOMPARE(gRecordset->absolutePosition(), 2);
        QCOMPARE(boundEarlier->absolutePosition(), 3);
    }

    void requeryTellsTheBoundConsumers()
    {
        ScriptedSeams seams;
        const QString path = fileWith({{101}});
        ready(path);
        clsbpdata cursor;
        QSignalSpy spy(&cursor, &clsbpdata::dataMemberChanged);
        QSignalSpy reset(gRecordset.get(), &Recordset::resetDone);
        insertRows(path, EditionId::English, {{102}});
        QVERIFY(cursor.Requery());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), QString("Primary"));
        QCOMPARE(reset.count(), 1);
        QCOMPARE(gRecordset->recordCount(), 2);
    }

    void releasingACursorLeavesTheRecordsetOpen()
    {
        ScriptedSeams seams;
        ready(fileWith({{101}}));
        {
            clsbpdata cursor;
        }
        QVERIFY(gRecordset->isOpen());
        QVERIFY(gConnection->isOpen());
    }
};

QTEST_MAIN(TestClsbpdata)
#include "test_clsbpdata.moc"
