// The ABPM summary and the CSV export from the main window: Data > ABPM
// Summary... and the list window's ABPM button open the one window, owned
// by the main window; its Print shows the page in the print preview on the
// printer chosen under Printer Setup; File > Export CSV... writes the file;
// closing the data file or the main window closes the summary windows.
#include "ShellFixture.h"

#include "data/AbpmRecording.h"
#include "data/AbpmSettings.h"
#include "data/DataTestSupport.h"
#include "print/AbpmReport.h"
#include "print/AbpmSignedReport.h"
#include "print/ReportWindows.h"
#include "support/ScriptedSeams.h"
#include "views/AbpmWindows.h"
#include "views/DataWindows.h"
#include "views/frmAbpm.h"
#include "views/frmList.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QToolButton>

using namespace apptest;

class TestAbpmCommands : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    frmMain* m_window = nullptr;
    int m_files = 0;

    QString readyRecording()
    {
        const QString path = m_dir.filePath(QStringLiteral("r%1.amb").arg(++m_files));
        makeDataFile(path, Edition::current().id());
        insertRows(path, Edition::current().id(), abpmtest::generate(abpmtest::Plan()).rows);
        gDataFile = path;
        gFileReady = true;
        return path;
    }

private slots:
    void init()
    {
        Edition::select(EditionId::English);
        m_window = openShell();
    }

    void cleanup()
    {
        m_window = nullptr;
        closeShell();
    }

    void theDataMenuAndTheListButtonOpenOneWindow()
    {
        ScriptedSeams seams;
        readyRecording();
        m_window->menuItem("mnuDataAbpm")->trigger();
        frmAbpm* summary = AbpmWindows::summaryWindow();
        QVERIFY(summary);
        QCOMPARE(summary->parentWidget(), m_window);
        QCOMPARE(summary->summary().readings, 78);

        m_window->menuItem("mnuDataTable")->trigger();
        frmList* list = DataWindows::listWindow();
        QVERIFY(list);
        list->cmdAbpm->click();
        QCOMPARE(AbpmWindows::summaryWindow(), summary); // the same window, brought up
        QVERIFY(seams.messages.empty());
    }

    void printShowsThePageOnThePrinterOfPrinterSetup()
    {
        ScriptedSeams seams;
        // Printer setup points the printer at a file; printing keeps it.
        const QString chosen = m_dir.filePath(QStringLiteral("chosen.pdf"));
        seams.printerPdfPath = chosen;
        m_window->menuItem("mnuFilePrintSetup")->trigger();
        seams.printerPdfPath.clear();

        readyRecording();
        m_window->menuItem("mnuDataAbpm")->trigger();
        frmAbpm* summary = AbpmWindows::summaryWindow();
        QVERIFY(summary);
        summary->cmdPrint->click();
        AbpmSignedReport* report = ReportWindows::shownSignedReport();
        QVERIFY(report);
        QCOMPARE(report->parentWidget(), m_window);
        QCOMPARE(report->pageCount(), 1);
        report->actPrint->trigger();
        QVERIFY(QFileInfo(chosen).size() > 0);
        QVERIFY(seams.messages.empty());
    }

    void exportCsvWritesTheFile()
    {
        ScriptedSeams seams;
        const QString data = readyRecording();
        const QString csv = m_dir.filePath("export.csv");
        seams.filePaths.push_back(csv);
        m_window->menuItem("mnuFileExportCsv")->trigger();
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        QCOMPARE(seams.fileRequests[0].title, QString("Export CSV"));
        QCOMPARE(seams.fileRequests[0].filter, QString("CSV file (*.csv)"));
        const QByteArray bytes = fileBytes(csv);
        QCOMPARE(bytes.count("\r\n"), 79);
        // Without a patient number the file's name is the subject.
        QVERIFY(bytes.startsWith("ID,NR,DATE_TIME,SBP,DBP,MAP,HR,WAKE\r\n"
                                 + QFileInfo(data).completeBaseName().toUtf8() + ",1,2024-03-07 10:00:00,"));
        QVERIFY(seams.messages.empty());
        QCOMPARE(gDataFile, data); // the data file stays current
    }

    void closingTheFileOrTheMainWindowClosesThem()
    {
        ScriptedSeams seams;
        readyRecording();
        m_window->menuItem("mnuDataAbpm")->trigger();
        QVERIFY(AbpmWindows::summaryWindow());
        m_window->menuItem("mnuFileClose")->trigger();
        QVERIFY(!AbpmWindows::summaryWindow());

        readyRecording();
        m_window->menuItem("mnuDataAbpm")->trigger();
        AbpmWindows::summaryWindow()->cmdPrint->click();
        QVERIFY(ReportWindows::shownSignedReport());
        m_window->menuItem("mnuFileClose")->trigger();
        QVERIFY(!ReportWindows::shownSignedReport()); // its file is gone

        readyRecording();
        m_window->menuItem("mnuFileAbpmReport")->trigger();
        QVERIFY(ReportWindows::shownSignedReport());
        m_window->close();
        QVERIFY(!AbpmWindows::summaryWindow());
        QVERIFY(!ReportWindows::shownSignedReport());
    }

    void theFileMenuReachesTheReportAndTheFhirExport()
    {
        ScriptedSeams seams;
        QCOMPARE(m_window->menuItem("mnuFileAbpmReport")->text(), QString("ABP&M Report..."));
        QCOMPARE(m_window->menuItem("mnuFileExportFhir")->text(), QString("Export &FHIR..."));
        // Without a file both refuse.
        m_window->menuItem("mnuFileAbpmReport")->trigger();
        m_window->menuItem("mnuFileExportFhir")->trigger();
        QCOMPARE(seams.messages.size(), size_t(2));
        QCOMPARE(seams.messages[0].text, QString("Can not Open ABPM Report ! , File Not Ready !"));
        QCOMPARE(seams.messages[1].text, QString("Export FHIR Failure ! , File Not Ready !"));
        seams.messages.clear();

        readyRecording();
        m_window->menuItem("mnuFileAbpmReport")->trigger();
        AbpmSignedReport* report = ReportWindows::shownSignedReport();
        QVERIFY(report);
        QCOMPARE(report->windowTitle(), QString("ABPM Report"));
        QCOMPARE(report->pageCount(), 1);

        // The Bundle, with the report's PDF; a file there is replaced only when the user says so.
        const QString json = m_dir.filePath("export.json");
        QFile old(json);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        seams.filePaths.push_back(json);
        seams.answers.push_back(MsgAnswer::No);
        m_window->menuItem("mnuFileExportFhir")->trigger();
        QCOMPARE(fileBytes(json), QByteArray("old"));
        seams.filePaths.push_back(json);
        seams.answers.push_back(MsgAnswer::Yes);
        m_window->menuItem("mnuFileExportFhir")->trigger();
        QCOMPARE(seams.messages.size(), size_t(2)); // the two questions
        const QJsonObject bundle = QJsonDocument::fromJson(fileBytes(json)).object();
        QCOMPARE(bundle["resourceType"].toString(), QString("Bundle"));
        const QJsonArray entries = bundle["entry"].toArray();
        QCOMPARE(entries.size(), 2 + 2 * 78 + 3 + 1);
        const QJsonObject diagnostic = entries.last().toObject()["resource"].toObject();
        const QByteArray pdf = QByteArray::fromBase64(diagnostic["presentedForm"].toArray()[0].toObject()["data"].toString().toLatin1());
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(diagnostic["conclusion"].toString().startsWith("24-hour mean"));
        QCOMPARE(diagnostic["status"].toString(), QString("preliminary")); // not kept yet
        // Never over the open data file.
        seams.filePaths.push_back(gDataFile);
        m_window->menuItem("mnuFileExportFhir")->trigger();
        QCOMPARE(seams.messages.size(), size_t(3));
        QVERIFY(seams.messages.back().text.contains(gDataFile));
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    TestAbpmCommands test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_abpmcommands.moc"
