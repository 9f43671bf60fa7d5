// The data list report from the main window's Print list command and the
// list window's Print button: the refusal without a file, the new cursor
// of the main window against the list window's own, a file of the other
// edition, the printer chosen under Printer Setup, and the report closing
// with the main window.
#include "ShellFixture.h"

#include "data/DataTestSupport.h"
#include "data/clsbpdata.h"
#include "print/DataReport1.h"
#include "print/ReportDocument.h"
#include "print/ReportWindows.h"
#include "support/ScriptedSeams.h"
#include "views/DataWindows.h"
#include "views/frmList.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>

using namespace apptest;

namespace {

QToolButton* toolButton(frmMain& window, const QString& key)
{
    return qobject_cast<QToolButton*>(window.tbToolBar()->widgetForAction(window.toolbarButtonByKey(key)));
}

std::vector<BpRow> rows(int count)
{
    std::vector<BpRow> made(size_t(count), BpRow{120.0, 80.0, 280.0 / 3, 70.0});
    return made;
}

} // namespace

class TestPrintList : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    frmMain* m_window = nullptr;

    QString fileWith(int records, EditionId edition)
    {
        static int files = 0;
        const QString path = m_dir.filePath(QStringLiteral("p%1.amb").arg(++files));
        makeDataFile(path, edition);
        insertRows(path, edition, rows(records));
        return path;
    }

    void makeReady(const QString& path)
    {
        gDataFile = path;
        gFileReady = true;
    }

private slots:
    void init() { m_window = openShell(); }

    void cleanup()
    {
        m_window = nullptr;
        closeShell();
    }

    void withoutAFileItRefusesAndShowsNoReport()
    {
        ScriptedSeams seams;
        toolButton(*m_window, QStringLiteral("PrintList"))->click();
        QCOMPARE(seams.messageTexts(),
                 QStringList(ed("Print Data List Report Failure ! , File Not Ready !", "Wird das Öffnen Datei !")));
        QCOMPARE(seams.messages.front().title, m_window->windowTitle());
        QCOMPARE(seams.messages.front().icon, MsgIcon::Information);
        QVERIFY(!ReportWindows::shownDataReport());
        QVERIFY(!m_window->PrimaryCLS);
    }

    // The list window's Print prints the records its own cursor read; the
    // main window's command opens the file again and prints what it holds now.
    void theListPrintsItsOwnRecordsAndPrintListOpensTheFileAgain()
    {
        ScriptedSeams seams;
        const QString path = fileWith(5, Edition::current().id());
        makeReady(path);
        frmList* list = DataWindows::showList();
        QVERIFY(list);
        insertRows(path, Edition::current().id(), rows(40));

        list->cmdPrint->click();
        DataReport1* report = ReportWindows::shownDataReport();
        QVERIFY(report);
        QCOMPARE(report->pageCount(), 1);
        QCOMPARE(report->document()->recordsOn(1), 5);

        toolButton(*m_window, QStringLiteral("PrintList"))->click();
        QVERIFY(m_window->PrimaryCLS && m_window->PrimaryCLS->isOpen());
        QCOMPARE(ReportWindows::shownDataReport(), report); // one report window
        QCOMPARE(report->pageCount(), 2);                  // 31 under the title, 14 after
        QCOMPARE(report->document()->recordsOn(2), 14);
        QCOMPARE(m_window->statusPanel(2)->text(), ed(" 45 Records", " 45 Protokolle"));
        QVERIFY(seams.messages.empty());
    }

    void aFileOfTheOtherEditionIsNamedAndShowsNoReport()
    {
        ScriptedSeams seams;
        const QString path = fileWith(3, german() ? EditionId::English : EditionId::German);
        makeReady(path);
        toolButton(*m_window, QStringLiteral("PrintList"))->click();
        QCOMPARE(seams.messageTexts(),
                 QStringList(ed("File  %1  Can not Open ! , Made by the Other Edition (German)",
                                "Datei  %1  kann nicht geöffnet werden ! , Von der anderen Ausgabe (Englisch) erstellt")
                                 .arg(path)));
        QVERIFY(!ReportWindows::shownDataReport());
        QVERIFY(!gFileReady);
    }

    void theReportPrintsOnThePrinterChosenUnderPrinterSetup()
    {
        ScriptedSeams seams;
        const QString chosen = m_dir.filePath(QStringLiteral("chosen.pdf"));
        seams.printerPdfPath = chosen;
        m_window->menuItem("mnuFilePrintSetup")->trigger();
        QVERIFY(!QFile::exists(chosen));

        makeReady(fileWith(2, Edition::current().id()));
        m_window->menuItem("mnuFilePrintList")->trigger();
        DataReport1* report = ReportWindows::shownDataReport();
        QVERIFY(report);
        seams.printerPdfPath.clear(); // the dialog leaves the printer as set up
        report->actPrint->trigger();
        QVERIFY(QFileInfo(chosen).size() > 0);
    }

    void theReportClosesWithTheMainWindow()
    {
        ScriptedSeams seams;
        makeReady(fileWith(2, Edition::current().id()));
        m_window->menuItem("mnuFilePrintList")->trigger();
        QPointer<DataReport1> report = ReportWindows::shownDataReport();
        QVERIFY(report);
        m_window->close();
        QVERIFY(!report || !report->isVisible());
    }
};

KORVANE_EDITIONS_MAIN(TestPrintList)
#include "test_printlist.moc"
