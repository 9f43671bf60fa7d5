// What names a recording where the program's own texts stand, in both
// editions: a file that received readings without patient details (or with
// a recording start alone, as earlier versions wrote by themselves) shows
// the list window's caption, the list report's pages and the chart's
// printed status line exactly as they always were, and keeps the template's
// tables; a file whose details name the patient shows the patient and the
// recording there, its start being the earliest reading when none is given.
//
// With KORVANE_SHOT_DIR set, the list window and the report's first page
// are also left there as pictures.
#include "ShellFixture.h"

#include "comm/SaveRecords.h"
#include "data/RecordingDetailsStore.h"
#include "print/DataReport1.h"
#include "print/PrintTestSupport.h"
#include "print/ReportWindows.h"
#include "platform/WindowPrinting.h"
#include "views/ChartWindow.h"
#include "views/ChartWindows.h"
#include "views/DataWindows.h"
#include "views/frmBar.h"
#include "views/frmList.h"

#include <QLabel>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace apptest;

namespace {

// 40 readings every 30 minutes from 28 December 2025 22:00, stored on 2 January.
QList<BpRecord> recording()
{
    QList<BpRecord> run;
    for (int i = 0; i < 40; ++i) {
        const QDateTime t = QDateTime(QDate(2025, 12, 28), QTime(22, 0)).addSecs(i * 1800);
        run << BpRecord{quint8(120 + i % 7), quint8(78 + i % 5), 70, quint8(t.date().month()), quint8(t.date().day()),
                        quint8(t.time().hour()), quint8(t.time().minute())};
    }
    return run;
}

QStringList tablesOf(const QString& path)
{
    QStringList tables;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-tables"));
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("select type || ' ' || name from sqlite_master order by name"));
            while (q.next())
                tables << q.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("test-tables"));
    return tables;
}

void keepPicture(const QImage& picture, const QString& name)
{
    const QString folder = qEnvironmentVariable("KORVANE_SHOT_DIR");
    if (!folder.isEmpty())
        picture.save(QDir(folder).filePath(name + (german() ? QStringLiteral("-de.png") : QStringLiteral("-en.png"))));
}

} // namespace

class TestRecordingNames : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    frmMain* m_window = nullptr;

private slots:
    void init()
    {
        m_window = openShell();
        forgetChosenPrinter();
    }

    void cleanup()
    {
        m_window = nullptr;
        closeShell();
        forgetChosenPrinter();
    }

    void captionsAndPrintedLines_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("no details") << QStringLiteral("none");
        QTest::newRow("a start alone") << QStringLiteral("start");
        QTest::newRow("patient, no start") << QStringLiteral("patient");
        QTest::newRow("patient and start") << QStringLiteral("both");
    }
    void captionsAndPrintedLines()
    {
        QFETCH(QString, kind);
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 1, 2), QTime(10, 0));
        const EditionId edition = Edition::current().id();
        const QString name = QStringLiteral("%1-%2").arg(kind, german() ? QStringLiteral("de") : QStringLiteral("en"));
        const QString templatePath = makeDataFile(m_dir.filePath(name + QStringLiteral("-template.amb")), edition);
        const QString path = makeDataFile(m_dir.filePath(name + QStringLiteral(".amb")), edition);
        const bool patient = kind == QLatin1String("patient") || kind == QLatin1String("both");
        if (kind != QLatin1String("none")) {
            RecordingDetails d;
            if (patient) {
                d.surname = QStringLiteral("Doe");
                d.firstName = QStringLiteral("Jane");
                d.patientNumber = QStringLiteral("4711");
            }
            if (kind != QLatin1String("patient"))
                d.recordingStart = QDateTime(QDate(2025, 12, 28), QTime(21, 45), Qt::UTC);
            Connection c;
            QVERIFY(c.openFile(path));
            QVERIFY(RecordingDetailsStore::write(c, d));
        }
        gDataFile = path;
        gFileReady = true;
        QVERIFY(SaveRecords(recording()).ok());

        // The line a named patient gets; the start is the one given or the earliest reading.
        const QString start = kind == QLatin1String("both") ? ed("12/28/2025 21:45", "28.12.2025 21:45")
                                                            : ed("12/28/2025 22:00", "28.12.2025 22:00");
        const QString headline = patient ? ed("Doe, Jane · No. 4711 · recording from ", "Doe, Jane · Nr. 4711 · Aufzeichnung ab ")
                + start
                                         : QString();

        // The list window's caption.
        frmList* list = DataWindows::showList();
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), patient ? ed("Table list data - ", "Datentabelle - ") + headline
                                              : ed("Table list data", "Datentabelle"));
        list->resize(1024, 768);
        keepPicture(list->grab().toImage(), QStringLiteral("list-") + kind);

        // The list report: title, captions, one line per reading, the end;
        // the patient's line at every page's foot when named.
        list->cmdPrint->click();
        DataReport1* report = ReportWindows::shownDataReport();
        QVERIFY(report);
        const QString pdf = m_dir.filePath(name + QStringLiteral("-list.pdf"));
        printtest::printThroughSeam(report, seams, pdf);
        const QStringList pages = printtest::pageTexts(pdf);
        QCOMPARE(pages.size(), 2); // 31 readings under the title, 9 after
        const QString captions = ed("ID Date Time SYS_mmHg DIA_mmHg MAP_mmHg Pulse_min",
                                    "Nr. Datum Uhrzeit SYS_mmHg DIA_mmHg MAP_mmHg Puls/Min.");
        const QRegularExpression detail(QStringLiteral("^\\d+ \\d"));
        int details = 0;
        for (int p = 0; p < pages.size(); ++p) {
            QStringList others;
            for (const QString& line : printtest::linesOf(pages[p])) {
                if (detail.match(line).hasMatch())
                    ++details;
                else
                    others << line;
            }
            QStringList expected;
            if (p == 0)
                expected << ed("Data List", "Datentabelle");
            expected << captions;
            if (p == 1)
                expected << ed("End", "Ende");
            if (patient) // the foot's line, below everything else of the page
                expected << headline;
            QCOMPARE(others, expected);
        }
        QCOMPARE(details, 40);
        keepPicture(printtest::renderPage(pdf, 1, 72), QStringLiteral("report-") + kind);

        // The chart's printed status line: "File: " and the file, then the date.
        const QString chartPdf = m_dir.filePath(name + QStringLiteral("-chart.pdf"));
        seams.printerPdfPath = chartPdf;
        QVERIFY(seams.printerDialog(nullptr, &chosenPrinter()));
        frmBar* bar = ChartWindows::showBarChart();
        QVERIFY(bar);
        QCoreApplication::processEvents();
        bar->toolbarButton(5)->trigger();
        QVERIFY2(seams.messages.empty(), qPrintable(seams.lastMessageText()));
        const QString statusLine = ed("File: ", "Datei: ") + path;
        QCOMPARE(bar->StatusPanel[1]->text(), statusLine + (patient ? u'\n' + headline : QString()));
        keepPicture(printtest::renderPage(chartPdf, 1, 72), QStringLiteral("chart-") + kind);
        const QStringList printed =
            QString::fromUtf8(printtest::runTool("pdftotext", {"-layout", chartPdf, "-"}))
                .normalized(QString::NormalizationForm_KC)
                .split(u'\n');
        // Nothing comes between the file and the date panel; the patient's
        // line, whole, under the file.
        const auto lineWith = [&printed](const QString& text) {
            for (qsizetype i = 0; i < printed.size(); ++i)
                if (printed[i].simplified().contains(text))
                    return i;
            return qsizetype(-1);
        };
        const QString moment = bar->StatusPanel[2]->text() + u' ' + bar->StatusPanel[3]->text();
        const qsizetype fileLine = lineWith(patient ? statusLine : statusLine + u' ' + moment);
        QVERIFY2(fileLine >= 0, qPrintable(printed.join(u'\n')));
        QVERIFY(printed[fileLine].simplified().endsWith(patient ? statusLine : moment));
        if (patient) {
            // The date panel stands beside the two lines, so the text may put it between them.
            const qsizetype headLine = lineWith(headline);
            QVERIFY2(headLine == fileLine + 1 || headLine == fileLine + 2, qPrintable(printed.join(u'\n')));
            QVERIFY(printed[headLine].simplified().endsWith(headline));
            QVERIFY(lineWith(moment) > fileLine);
        }
        bar->close();
        report->close();
        list->close();
        QCoreApplication::processEvents();

        // Nothing of it wrote into the file: without details it has the template's tables.
        resetAll();
        if (kind == QLatin1String("none")) {
            QCOMPARE(tablesOf(path), tablesOf(templatePath));
            QVERIFY(schemaText(templatePath).contains("ambpdata ("));
            QCOMPARE(schemaText(path), schemaText(templatePath));
        } else {
            const auto tablesAlone = [](const QStringList& entries) {
                QStringList tables = entries.filter(QRegularExpression(QStringLiteral("^table ")));
                tables.sort();
                return tables;
            };
            QCOMPARE(tablesAlone(tablesOf(path)),
                     tablesAlone(tablesOf(templatePath) << QStringLiteral("table ambpdetails")));
        }
    }
};

KORVANE_EDITIONS_MAIN(TestRecordingNames)
#include "test_recordingnames.moc"
