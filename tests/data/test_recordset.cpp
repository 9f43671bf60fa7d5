// The record set and connection over an AMB data file.
#include "data/ChartQuery.h"
#include "data/DataTestSupport.h"

#include <QSignalSpy>
#include <QtTest>

class TestRecordset : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        resetAll();
        static int n = 0;
        m_path = makeDataFile(m_dir.filePath(QStringLiteral("f%1.amb").arg(++n)), EditionId::English);
    }
    void cleanup() { resetAll(); }

    void newFileHasNoRows()
    {
        auto rs = openRecords(m_path);
        QVERIFY(rs->isOpen());
        QCOMPARE(rs->recordCount(), 0);
        QVERIFY(rs->bof());
        QVERIFY(rs->eof());
        QVERIFY(rs->absolutePosition() < 1);
        QCOMPARE(rs->fieldNames(),
                 QStringList({"ID", "Date", "Time", "SYS_mmHg", "DIA_mmHg", "MAP_mmHg", "Pulse_min"}));
        QVERIFY(!rs->moveFirst());
        QVERIFY(!rs->moveNext());
        QVERIFY(!rs->value("SYS_mmHg").isValid());
        QVERIFY(!rs->lastError().isEmpty());
    }

    void rowsComeBackInOrderOfAddition()
    {
        auto rs = openRecords(m_path);
        const int sys[] = {130, 110, 150, 120};
        for (int s : sys) {
            QVERIFY(rs->addNew());
            QCOMPARE(rs->editMode(), int(Recordset::EditAdd));
            QVERIFY(rs->setValue("SYS_mmHg", s));
            QVERIFY2(rs->update(), qPrintable(rs->lastError()));
            QCOMPARE(rs->editMode(), int(Recordset::EditNone));
        }
        QVERIFY(rs->requery());
        QCOMPARE(rs->recordCount(), 4);
        QCOMPARE(rs->absolutePosition(), 1);
        qlonglong lastId = 0;
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(rs->value("SYS_mmHg").toInt(), sys[i]);
            QVERIFY(rs->value("ID").toLongLong() > lastId);
            lastId = rs->value("ID").toLongLong();
            rs->moveNext();
        }
        QVERIFY(rs->eof());
        // Added after a delete: still after the others (the key never goes back).
        rs->moveLast();
        QVERIFY(rs->deleteRecord());
        rs->addNew();
        rs->setValue("SYS_mmHg", 99);
        QVERIFY(rs->update());
        QVERIFY(rs->value("ID").toLongLong() > lastId);
    }

    void meanPressureKeepsItsFraction()
    {
        auto rs = openRecords(m_path);
        rs->addNew();
        rs->setValue("SYS_mmHg", 120);
        rs->setValue("DIA_mmHg", 80);
        rs->setValue("MAP_mmHg", (120 + 2.0 * 80) / 3.0);
        rs->setValue("Date", QDate(2024, 3, 7));
        rs->setValue("Time", QTime(9, 5));
        QVERIFY(rs->update());
        QVERIFY(rs->requery());
        QCOMPARE(rs->value("MAP_mmHg").toDouble(), 280.0 / 3.0);
        QCOMPARE(rs->value("Date").toDate(), QDate(2024, 3, 7));
        QCOMPARE(rs->value("Time").toTime(), QTime(9, 5));
    }

    void typedColumnsRefuseWhatTheyCannotHold_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("why");
        QTest::newRow("text in a number") << "SYS_mmHg" << QVariant("abc") << "not a number";
        QTest::newRow("fraction in a whole number") << "DIA_mmHg" << QVariant(80.5) << "not a whole number";
        QTest::newRow("beyond 16 bits") << "Pulse_min" << QVariant(70000) << "outside the range";
        QTest::newRow("not a date") << "Date" << QVariant("31.02.2024") << "not a date";
        QTest::newRow("date with a time") << "Date" << QVariant(QDateTime(QDate(2024, 1, 2), QTime(3, 4)))
                                          << "dates only";
        QTest::newRow("not a time") << "Time" << QVariant("25:00") << "not a time";
        QTest::newRow("key") << "ID" << QVariant(77) << "record number";
        QTest::newRow("infinite mean") << "MAP_mmHg" << QVariant(qInf()) << "finite";
    }
    void typedColumnsRefuseWhatTheyCannotHold()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        QFETCH(QString, why);
        insertRows(m_path, EditionId::English, {{120, 80, 93, 70}});
        auto rs = openRecords(m_path);
        const QVariant before = rs->value(field);
        QVERIFY(!rs->setValue(field, value));
        QVERIFY2(rs->lastError().startsWith(field + ": "), qPrintable(rs->lastError()));
        QVERIFY2(rs->lastError().contains(why), qPrintable(rs->lastError()));
        QCOMPARE(rs->editMode(), int(Recordset::EditNone));
        QCOMPARE(rs->value(field), before);
        QVERIFY(rs->requery());
        QCOMPARE(rs->value(field), before);
    }

    void typedTextsAreTakenInTheirForm()
    {
        auto rs = openRecords(m_path);
        rs->addNew();
        QVERIFY(rs->setValue("SYS_mmHg", " 121 "));
        QVERIFY(rs->setValue("MAP_mmHg", "93,5"));
        QVERIFY(rs->setValue("Date", "7.3.2024"));
        QVERIFY(rs->setValue("Time", "9:05"));
        QVERIFY(rs->setValue("Pulse_min", ""));
        QVERIFY(rs->update());
        rs->requery();
        QCOMPARE(rs->value("SYS_mmHg").toInt(), 121);
        QCOMPARE(rs->value("MAP_mmHg").toDouble(), 93.5);
        QCOMPARE(rs->value("Date").toDate(), QDate(2024, 3, 7));
        QCOMPARE(rs->value("Time").toTime(), QTime(9, 5));
        QVERIFY(rs->value("Pulse_min").isNull());
    }

    void movingOffAChangedRowSavesIt()
    {
        insertRows(m_path, EditionId::English, {{120, 80, 93, 70}, {130, 85, 100, 72}});
        auto rs = openRecords(m_path);
        QVERIFY(rs->setValue("SYS_mmHg", 125));
        QCOMPARE(rs->editMode(), int(Recordset::EditInProgress));
        QVERIFY(rs->moveNext());
        QCOMPARE(rs->editMode(), int(Recordset::EditNone));
        auto other = openRecords(m_path); // a fresh read of the file
        QCOMPARE(other->value("SYS_mmHg").toInt(), 125);
    }

    void cancelDropsTheChangeAndANewRow()
    {
        insertRows(m_path, EditionId::English, {{120, 80, 93, 70}, {130, 85, 100, 72}});
        auto rs = openRecords(m_path);
        rs->moveLast();
        rs->setValue("SYS_mmHg", 111);
        QVERIFY(rs->cancelUpdate());
        QCOMPARE(rs->value("SYS_mmHg").toInt(), 130);
        rs->moveFirst();
        rs->addNew();
        QCOMPARE(rs->recordCount(), 3);
        rs->setValue("SYS_mmHg", 140);
        QVERIFY(rs->cancelUpdate());
        QCOMPARE(rs->recordCount(), 2);
        QCOMPARE(rs->absolutePosition(), 1); // back on the row current before addNew
        rs->requery();
        QCOMPARE(rs->recordCount(), 2);
    }

    void untouchedNewRowIsNotStored()
    {
        insertRows(m_path, EditionId::English, {{120, 80, 93, 70}});
        auto rs = openRecords(m_path);
        rs->addNew();
        QVERIFY(rs->moveFirst());
        QCOMPARE(rs->recordCount(), 1);
        rs->requery();
        QCOMPARE(rs->recordCount(), 1);
    }

    void deleteThenMoveNextLandsOnTheFollowingRow()
    {
        insertRows(m_path, EditionId::English, {{101}, {102}, {103}});
        auto rs = openRecords(m_path);
        rs->moveNext();
        QVERIFY(rs->deleteRecord());
        QVERIFY(rs->absolutePosition() < 1);
        QVERIFY(!rs->value("SYS_mmHg").isValid());
        QVERIFY(rs->moveNext());
        QCOMPARE(rs->value("SYS_mmHg").toInt(), 103);
        QCOMPARE(rs->recordCount(), 2);
        rs->requery();
        QCOMPARE(rs->recordCount(), 2);
    }

    void absolutePositionMovesAndChangesFollowRows()
    {
        insertRows(m_path, EditionId::English, {{101}, {102}, {103}});
        auto rs = openRecords(m_path);
        QSignalSpy current(rs.get(), &Recordset::currentRowChanged);
        QSignalSpy changed(rs.get(), &Recordset::rowChanged);
        QVERIFY(rs->setAbsolutePosition(3));
        QCOMPARE(rs->value("SYS_mmHg").toInt(), 103);
        QCOMPARE(current.last().at(0).toLongLong(), 2);
        QVERIFY(!rs->setAbsolutePosition(4));
        QVERIFY(rs->setValueAt(0, rs->fieldIndex("SYS_mmHg"), 111));
        QCOMPARE(rs->currentRow(), 0);
        QCOMPARE(rs->valueAt(0, 3).toInt(), 111);
        QCOMPARE(changed.last().at(0).toLongLong(), 0);
    }

    void writeToADeletedRecordIsReportedAndKept()
    {
        insertRows(m_path, EditionId::English, {{101}, {102}});
        auto rs = openRecords(m_path);
        auto other = std::make_shared<Recordset>();
        QVERIFY(other->open(AmbSchema::recordQuery(), gConnection));
        QVERIFY(other->deleteRecord());
        QVERIFY(rs->setValue("SYS_mmHg", 150));
        QVERIFY(!rs->moveNext());
        QVERIFY(rs->lastError().contains("no longer in the file"));
        QCOMPARE(rs->absolutePosition(), 1);
        QCOMPARE(rs->value("SYS_mmHg").toInt(), 150);
    }

    void closedRecordsetRefuses()
    {
        auto rs = openRecords(m_path);
        rs->close();
        QVERIFY(!rs->isOpen());
        QVERIFY(!rs->addNew());
        QVERIFY(!rs->moveFirst());
        QVERIFY(rs->bof() && rs->eof());
    }

    // The path is taken exactly: a trailing blank, a ";" or "=" name
    // another file than the one without them.
    void theExactPathIsOpened()
    {
        const QStringList names = {"p.amb", "p.amb ", "b c;Data Source=d.amb"};
        for (int i = 0; i < names.size(); ++i) {
            const QString path = makeDataFile(m_dir.filePath(names[i]), EditionId::English);
            insertRows(path, EditionId::English, std::vector<BpRow>(size_t(i + 1), BpRow{120, 80, 93, 70}));
        }
        for (int i = 0; i < names.size(); ++i) {
            auto rs = openRecords(m_dir.filePath(names[i]));
            QVERIFY(rs);
            QCOMPARE(rs->recordCount(), i + 1);
            QCOMPARE(rs->connection()->dataSource(), m_dir.filePath(names[i]));
        }
    }

    void chartConnectionOpensTheSameFile()
    {
        Connection c;
        QVERIFY(c.openFile(m_path));
        QCOMPARE(c.dataSource(), m_path);
    }

    void openingNeverCreatesOrChangesAFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("error");
        QTest::newRow("missing") << QByteArray() << int(Connection::OpenError::Missing);
        QTest::newRow("text") << QByteArray("Blood pressure\n120/80\n") << int(Connection::OpenError::NotADatabase);
        QTest::newRow("empty") << QByteArray("") << int(Connection::OpenError::None);
    }
    void openingNeverCreatesOrChangesAFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, error);
        const QString path = m_dir.filePath(QStringLiteral("x.amb"));
        QFile::remove(path);
        const bool exists = QTest::currentDataTag() != QByteArray("missing");
        if (exists) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        Connection c;
        const bool opened = c.openFile(path);
        QCOMPARE(int(c.lastOpenError()), error);
        if (opened) {
            // An empty file is an empty database: the record query fails.
            auto conn = std::make_shared<Connection>();
            QVERIFY(conn->openFile(path));
            Recordset rs;
            QVERIFY(!rs.open(AmbSchema::recordQuery(), conn));
            QVERIFY(rs.lastError().contains("ambpdata"));
        } else {
            QVERIFY(!c.lastError().isEmpty());
        }
        c.close();
        QCOMPARE(QFile::exists(path), exists);
        if (exists)
            QCOMPARE(fileBytes(path), content);
        QVERIFY(!QFile::exists(path + "-journal"));
    }

    void chartRowsInAscendingRecordNumber()
    {
        for (const EditionId e : {EditionId::English, EditionId::German}) {
            Edition::select(e);
            const QString path = makeDataFile(m_dir.filePath(e == EditionId::German ? "chart-de.amb" : "chart-en.amb"), e);
            insertRows(path, e, {{150, 85, 106.7, 60}, {170, 100, 123.3, 90}, {120, 80, 93.3, 70}});
            auto rows = ChartQuery::open(path);
            QVERIFY(rows);
            QCOMPARE(rows->fieldNames(), QStringList({Edition::current().colId(), "SYS_mmHg", "DIA_mmHg",
                                                      "MAP_mmHg", Edition::current().colPulse()}));
            QCOMPARE(rows->recordCount(), 3);
            const int sys[] = {150, 170, 120};
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(rows->valueAt(i, 0).toLongLong(), i + 1);
                QCOMPARE(rows->valueAt(i, 1).toInt(), sys[i]);
            }
            QString why;
            Edition::select(e == EditionId::German ? EditionId::English : EditionId::German);
            QVERIFY(!ChartQuery::open(path, &why));
            QVERIFY(!why.isEmpty());
        }
        Edition::select(EditionId::English);
    }

    void otherEditionsColumnsFailTheQuery()
    {
        const QString german = makeDataFile(m_dir.filePath("german.amb"), EditionId::German);
        auto conn = std::make_shared<Connection>();
        QVERIFY(conn->openFile(german));
        Recordset rs;
        QVERIFY(!rs.open(AmbSchema::recordQuery(EditionId::English), conn));
        QVERIFY(rs.lastError().contains("ID"));
        Recordset de;
        QVERIFY(de.open(AmbSchema::recordQuery(EditionId::German), conn));
        QCOMPARE(de.fieldName(0), QString("Nr_"));
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "test_recordset.moc"
