// What `--version` prints of each edition's version block: every field,
// the original file name being this platform's program file.
#include "text/VersionBlock.h"

#include <QtTest>

class TestVersionBlock : public QObject {
    Q_OBJECT
private slots:
    void printsTheWholeBlockOfEachEdition_data()
    {
        QTest::addColumn<int>("edition");
        QTest::addColumn<QString>("expected");
        QTest::newRow("English") << int(EditionId::English)
                                 << QStringLiteral("KORVANE 1.20\n"
                                                   "Blood Pressure Data Check \n"
                                                   "English Version\n"
                                                   "ProductName: KORVANE\n"
                                                   "FileDescription: Blood Pressure Data Check \n"
                                                   "Comments: English Version\n"
                                                   "InternalName: KORVANE\n"
                                                   "OriginalFilename: korvane\n"
                                                   "CompanyName: KORVANE\n"
                                                   "LegalCopyright: KORVANE\n"
                                                   "LegalTrademarks: KORVANE\n"
                                                   "FileVersion: 1.20 (1.20.0.0)\n"
                                                   "ProductVersion: 1.20 (1.20.0.0)\n"
                                                   "Language: US English, Unicode\n");
        QTest::newRow("German") << int(EditionId::German)
                                << QStringLiteral("KORVANE 1.20\n"
                                                  "Blutdruckdaten Auswertung\n"
                                                  "Deutsche Version\n"
                                                  "ProductName: KORVANE\n"
                                                  "FileDescription: Blutdruckdaten Auswertung\n"
                                                  "Comments: Deutsche Version\n"
                                                  "InternalName: KORVANEG\n"
                                                  "OriginalFilename: korvaneg\n"
                                                  "CompanyName: KORVANE\n"
                                                  "LegalCopyright: KORVANE\n"
                                                  "LegalTrademarks: KORVANE\n"
                                                  "FileVersion: 1.20 (1.20.0.0)\n"
                                                  "ProductVersion: 1.20 (1.20.0.0)\n"
                                                  "Language: US English, Unicode\n");
    }

    void printsTheWholeBlockOfEachEdition()
    {
        QFETCH(int, edition);
        QFETCH(QString, expected);
        QCOMPARE(versionText(EditionId(edition)), expected);
    }
};

QTEST_GUILESS_MAIN(TestVersionBlock)
#include "test_versionblock.moc"
