// Printing the chart windows: the window's image on the printer chosen
// under Printer setup (through the printer seam, into a PDF read back with
// pdftotext), a PDF file offered where no printer is installed, the
// window's look given back afterwards, and pictures of both charts at the
// A4 view. Runs in both editions.
#include "ChartTestSupport.h"

#include "platform/WindowPrinting.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>

using namespace charttest;

namespace {

// The text of the PDF, its blanks run together (pdftotext lays text out by
// position), ligatures written out: the printed path may hold "ff" or "fi"
// (a temporary folder's random name), which the PDF keeps as one glyph.
QString pdfText(const QString& pdf)
{
    QProcess run;
    run.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!run.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(run.readAllStandardOutput()).normalized(QString::NormalizationForm_KC).simplified();
}

} // namespace

class TestPrintChart : public ChartWindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        resetAll();
        forgetChosenPrinter();
    }

    void cleanup()
    {
        closeCharts();
        resetAll();
    }

    void printsTheWindowOnThePrinterChosenInSetup_data()
    {
        QTest::addColumn<bool>("bar");
        QTest::newRow("bar chart") << true;
        QTest::newRow("trend chart") << false;
    }

    void printsTheWindowOnThePrinterChosenInSetup()
    {
        QFETCH(bool, bar);
        ScriptedSeams seams;
        const QString pdf = m_dir.filePath(bar ? "bar.pdf" : "trend.pdf");
        seams.printerPdfPath = pdf;
        QVERIFY(seams.printerDialog(nullptr, &chosenPrinter())); // Printer setup
        const QString path = fileWith(dayRows(40));
        ChartWindow* w = bar ? static_cast<ChartWindow*>(openChart(path, &ChartWindows::showBarChart))
                             : openChart(path, &ChartWindows::showTrendChart);
        QVERIFY(w);
        w->chtReport_SeriesSelected(2);
        const QPalette screenLook = w->palette();
        const QPalette panelLook = w->Frame1->palette();
        clickButton(w, 5);

        QVERIFY(seams.fileRequests.empty());
        QVERIFY(seams.messages.empty());
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(ed("File: ", "Datei: ") + path), qPrintable(text));
        QVERIFY(text.contains(ed("Records : 40", "Protokolle : 40")));
        QVERIFY(text.contains(bar ? ed("SYS Average : ", "SYS.M.V. : ") : ed("Average : ", "M.V. : ")));
        QVERIFY(text.contains(ed("Pressure mmHg", "Blutdruck mmHg")));
        QVERIFY2(!text.contains("A5 View"), "the toolbar is not printed");

        // Afterwards the window looks as before.
        QVERIFY(!w->Toolbar1->isHidden());
        QVERIFY(w->StatusBar1->isHidden());
        QVERIFY(!w->HScroll4->isHidden());
        QCOMPARE(w->palette().color(QPalette::Window), screenLook.color(QPalette::Window));
        QCOMPARE(w->palette().color(QPalette::Window), QColor(0, 0, 192));
        QCOMPARE(w->Frame1->palette().color(QPalette::WindowText), panelLook.color(QPalette::WindowText));
        QCOMPARE(w->chtReport->y(), w->Toolbar1->height() + w->Frame1->height());
    }

    void aOneRecordFileKeepsTheScrollBarHidden()
    {
        ScriptedSeams seams;
        seams.printerPdfPath = m_dir.filePath("one.pdf");
        seams.printerDialog(nullptr, &chosenPrinter());
        ChartWindow* w = openChart(fileWith(dayRows(1)), &ChartWindows::showBarChart);
        QVERIFY(w);
        QVERIFY(w->HScroll4->isHidden());
        clickButton(w, 5);
        QVERIFY(QFileInfo(seams.printerPdfPath).size() > 0);
        QVERIFY(w->HScroll4->isHidden());
        QVERIFY(!w->Toolbar1->isHidden());
        QVERIFY(seams.messages.empty());
    }

    void withoutAPrinterAPdfFileIsOffered()
    {
        ScriptedSeams seams; // no printer installed, none chosen
        const QString path = fileWith(dayRows(5));
        ChartWindow* w = openChart(path, &ChartWindows::showTrendChart);
        QVERIFY(w);
        const QString pdf = m_dir.filePath("offered.pdf");
        seams.filePaths = {pdf};
        clickButton(w, 5);
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        const FileDialogRequest& asked = seams.fileRequests[0];
        QCOMPARE(asked.kind, FileDialogRequest::Kind::Save);
        QCOMPARE(asked.title, ed("Print to PDF File", "Als PDF-Datei drucken"));
        QCOMPARE(asked.defaultSuffix, QString("pdf"));
        QVERIFY(asked.overwritePrompt);
        QVERIFY(pdfText(pdf).contains(ed("File: ", "Datei: ") + path));

        // Declining the file prints nothing and says nothing.
        clickButton(w, 5);
        QCOMPARE(seams.fileRequests.size(), size_t(2));
        QVERIFY(seams.messages.empty());
        QVERIFY(!w->Toolbar1->isHidden());
        QVERIFY(w->StatusBar1->isHidden());
    }

    void aFileThatCannotBeWrittenIsReported()
    {
        ScriptedSeams seams;
        ChartWindow* w = openChart(fileWith(dayRows(5)), &ChartWindows::showBarChart);
        QVERIFY(w);
        const QString pdf = m_dir.filePath("no-such-folder/chart.pdf");
        seams.filePaths = {pdf};
        clickButton(w, 5);
        QCOMPARE(seams.messages.size(), size_t(1));
        const QString said = ed("Cannot write the file %1: ", "Die Datei %1 kann nicht geschrieben werden: ").arg(pdf);
        QVERIFY2(seams.messages[0].text.startsWith(said), qPrintable(seams.messages[0].text));
        QVERIFY(seams.messages[0].text.size() > said.size()); // with the system's reason
        QCOMPARE(seams.messages[0].icon, MsgIcon::Warning);
        QVERIFY(!w->Toolbar1->isHidden());
        QVERIFY(!w->HScroll4->isHidden());
        QVERIFY(w->isVisible());
    }
    // Pictures to look at: both charts at the A4 view with 100 records.
    void picturesAtTheA4View()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the windows");
        const QString tag = Edition::current().isGerman() ? QStringLiteral("de") : QStringLiteral("en");
        ScriptedSeams seams;
        const QString path = fileWith(dayRows(100));
        ChartWindow* bar = openChart(path, &ChartWindows::showBarChart);
        QVERIFY(bar);
        clickButton(bar, 1);
        clickButton(bar, 12); // the pulse bars too
        bar->chtReport_SeriesSelected(2);
        settle();
        QVERIFY(bar->grab().save(QString::fromUtf8(folder) + "/frmBar-" + tag + ".png"));
        ChartWindow* wave = openChart(path, &ChartWindows::showTrendChart);
        QVERIFY(wave);
        clickButton(wave, 1);
        wave->chtReport->selectPoint(5);
        wave->chtReport_PointSelected(5);
        settle();
        QVERIFY(wave->grab().save(QString::fromUtf8(folder) + "/frmWave-" + tag + ".png"));
        QVERIFY(seams.messages.empty());
    }

};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    return runInBothEditions<TestPrintChart>(argc, argv);
}

#include "test_printchart.moc"
