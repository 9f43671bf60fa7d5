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
