#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
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

    // Every refusal for a missing data file, the program's own and every one
    // added since, says the one German text; and that text says nothing else.
    void everyNoFileReadyRefusalHasTheOneGermanText()
    {
        const QString german = QStringLiteral("Wird das Öffnen Datei !");
        QStringList refusals;
        for (const auto& table : catalogueTables()) {
            for (const CatalogueEntry& e : table) {
                const QString english = QString::fromUtf8(e.english ? e.english : "");
                const bool noFileReady = english.contains(QStringLiteral("File Not Ready"), Qt::CaseInsensitive);
                if (noFileReady) {
                    QVERIFY2(english.endsWith(QStringLiteral(", File Not Ready !")), e.key);
                    QVERIFY2(e.german && QString::fromUtf8(e.german) == german,
                             qPrintable(QStringLiteral("%1: %2").arg(QString::fromLatin1(e.key),
                                                                     QString::fromUtf8(e.german ? e.german : "(none)"))));
                    refusals << QString::fromLatin1(e.key);
                } else {
                    QVERIFY2(!e.german || QString::fromUtf8(e.german) != german, e.key);
                }
            }
        }
        // The thirteen of the main window, the cursor's and the charts', and
        // those of the commands added to the main window.
        for (const char* key : {"frmMain.msgNotReadyBar", "frmMain.msgNotReadyPreviewWave", "frmMain.msgFileNotReadySave",
                                "clsbpdata.msgNoFile", "frmBar.msgNotReady", "frmWave.msgNotReady",
                                "frmMain.msgNotReadyAbpm", "frmMain.msgNotReadyExportCsv", "frmMain.msgNotReadyDetails",
                                "frmMain.msgNotReadyAbpmReport", "frmMain.msgNotReadyExportFhir",
                                "frmMain.msgNotReadySendGdt"})
            QVERIFY2(refusals.contains(QString::fromLatin1(key)), key);
        QVERIFY(refusals.size() >= 21);
    }

    // A mistyped key only shows itself when its window runs: look at every
    // key the program's sources name literally.
    void everyKeyTheSourcesNameExists()
    {
        const QString root = QStringLiteral(KORVANE_SOURCE_DIR);
        const QRegularExpression call(QStringLiteral("(?:catText|platformText)\\(\"([^\"]+)\""));
        int keys = 0;
        for (const char* layer : {"platform", "state", "data", "comm", "views", "print", "app"}) {
            QDirIterator it(root + QLatin1Char('/') + QLatin1String(layer),
                            {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString source = QString::fromUtf8(file.readAll());
                for (const QRegularExpressionMatch& m : call.globalMatch(source)) {
                    const QByteArray key = m.captured(1).toUtf8();
                    QVERIFY2(catHas(key.constData()),
                             qPrintable(file.fileName() + QStringLiteral(": ") + m.captured(1)));
                    ++keys;
                }
            }
        }
        QVERIFY(keys > 50);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
