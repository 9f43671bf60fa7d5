#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QSet>
#include <QtTest>

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void everyKeyIsUniqueAndHasAnEnglishText()
    {
        QSet<QByteArray> seen;
        for (const auto& table : catalogueTables()) {
            for (const CatalogueEntry& e : table) {
                QVERIFY2(!seen.contains(e.key), e.key);
                seen.insert(e.key);
                QVERIFY2(e.english || e.german, e.key);
            }
        }
        QVERIFY(seen.size() > 1);
    }

    void editionSelectsTheText()
    {
        Edition::select(EditionId::English);
        QCOMPARE(catText("frmMain.sbRecords"), QString(" Records"));
        Edition::select(EditionId::German);
        QCOMPARE(catText("frmMain.sbRecords"), QString(" Protokolle"));
        QCOMPARE(Edition::current().colId(), QString("Nr_"));
        Edition::select(EditionId::English);
        QCOMPARE(Edition::current().colPulse(), QString("Pulse_min"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
