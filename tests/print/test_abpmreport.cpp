// The printed ABPM summary, through the printer seam into a PDF file read
// back with poppler: one page on A4 and Letter with the title, the file
// name, the date, the figures and the chart; short paper paints smaller
// and stays one page; the preview window; Save as PDF. Runs once per
// edition; with KORVANE_SHOT_DIR set the printed page is kept there as a
// picture.
#include "PrintTestSupport.h"
#include "data/AbpmRecording.h"

#include "print/AbpmReport.h"
#include "print/AbpmSummaryPage.h"
#include "print/ReportPageSetup.h"
#include "text/MessageCatalogue.h"

#include <QApplication>
#include <QLabel>

using namespace printtest;
using namespace abpmtest;

class TestAbpmReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<QPrinter> m_printer;

    AbpmPrintRequest request(const Plan& plan = Plan())
    {
        AbpmPrintRequest r;
        const std::vector<AbpmReading> readings = readingsOf(generate(plan).rows);
        r.summary = computeAbpmSummary(readings, r.choice.inForce());
        r.dataFile = m_dir.filePath(QStringLiteral("Patient %1.amb").arg(++m_files));
        gDataFile = r.dataFile;
        return r;
    }

    QString pdfPath() { return m_dir.filePath(QStringLiteral("summary%1.pdf").arg(++m_files)); }

    AbpmReport* show(const AbpmPrintRequest& r)
    {
        AbpmReport* report = ReportWindows::abpmReport();
        report->setPrinter(m_printer.get());
        report->Show(r);
        return report;
    }

    // Shows the summary and prints it into a new PDF file.
    QString printed(const AbpmPrintRequest& r)
    {
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2024, 11, 5), QTime(9, 30));
        AbpmReport* report = show(r);
        const QString pdf = pdfPath();
        seams.printerPdfPath = pdf;
        report->actPrint->trigger();
        return seams.messages.empty() ? pdf : QString();
    }

private slots:
    void init()
    {
        resetAll();
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
    }

    void cleanup()
    {
        ScriptedSeams quiet;
        ReportWindows::closeAbpmReport();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        resetAll();
    }

    void onePageWithEverything_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QSizeF>("points");
        QTest::newRow("A4") << QPageSize::A4 << QSizeF(595.276, 841.89);
        QTest::newRow("Letter") << QPageSize::Letter << QSizeF(612, 792);
    }

    void onePageWithEverything()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QSizeF, points);
        m_printer->setPageSize(QPageSize(paper));
        const AbpmPrintRequest r = request();
        const QString pdf = printed(r);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pdfPageCount(pdf), 1);
        const QSizeF size = pdfPageSize(pdf);
        QVERIFY(qAbs(size.width() - points.width()) < 1 && qAbs(size.height() - points.height()) < 1);
        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        if (!shots.isEmpty() && paper == QPageSize::A4) {
            const QImage page = renderPage(pdf, 1, 100);
            QVERIFY(page.save(shots + (german() ? "/AbpmReport-de.png" : "/AbpmReport-en.png")));
            QFile::remove(shots + (german() ? "/AbpmReport-de.pdf" : "/AbpmReport-en.pdf"));
            QVERIFY(QFile::copy(pdf, shots + (german() ? "/AbpmReport-de.pdf" : "/AbpmReport-en.pdf")));
        }
        // Painted as designed; the 24-hour block's weighted rows make it at most a fifth smaller.
        QVERIFY2(ReportWindows::abpmReport()->page()->scale() >= 0.8,
                 qPrintable(QString::number(ReportWindows::abpmReport()->page()->scale())));

        const QString text = linesOf(pageTexts(pdf).value(0)).join(QLatin1Char('\n'));
        const QStringList expected = {
            ed("ABPM Summary", "ABDM-Auswertung"),
            ed("File: ", "Datei: ") + QDir::toNativeSeparators(r.dataFile),
            ed("Printed: 11/5/2024", "Gedruckt: 05.11.2024"),
            ed("From 3/7/2024 10:00 to 3/8/2024 09:45", "Von 07.03.2024 10:00 bis 08.03.2024 09:45"),
            ed("Readings: 78, valid: 78 (100.0 %)", "Messungen: 78, gültig: 78 (100,0 %)"),
            ed("Systolic 140.0 119.0 0.850 15.0 Dipper", "Systolisch 140,0 119,0 0,850 15,0 Dipper"),
            ed("Thresholds: ESH", "Grenzwerte: ESH"),
            ed("Standard deviation (SD) 3.0 3.0 3.0 0.0", "Standardabweichung (SD) 3,0 3,0 3,0 0,0"),
            ed("Valid for diagnosis", "Zur Diagnose geeignet"),
            ed("Hourly means", "Stundenmittelwerte"),
            ed("Hour of day", "Uhrzeit (Stunde)"),
        };
        for (const QString& line : expected)
            QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral("\n---\n") + text));

    }

    void theChartIsOnThePage()
    {
        const QString pdf = printed(request());
        // In the lowest third of the page, below every figure: the red
        // systolic and blue diastolic lines and the grey night.
        const QString stem = pdf + QStringLiteral("-colour");
        runTool("pdftoppm", {"-png", "-r", "50", "-singlefile", pdf, stem});
        const QImage page(stem + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        int red = 0, blue = 0, grey = 0;
        for (int y = page.height() * 2 / 3; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QColor c = page.pixelColor(x, y);
                red += c.red() > 150 && c.green() < 100 && c.blue() < 100;
                blue += c.blue() > 150 && c.red() < 100 && c.green() < 120;
                grey += c.saturation() < 40 && c.value() > 200 && c.value() < 240;
            }
        }
        QVERIFY2(red > 40 && blue > 40 && grey > 500,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(red).arg(blue).arg(grey)));
    }

    void shortPaperPaintsSmallerAndStaysOnePage()
    {
        m_printer->setPageSize(QPageSize(QPageSize::A5));
        Plan plan;
        plan.nightStepMinutes = 90; // the validity reasons add lines
        const QString pdf = printed(request(plan));
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(pdfPageCount(pdf), 1);
        const AbpmSummaryPage* page = ReportWindows::abpmReport()->page();
        QVERIFY(page->scale() < 1);
        QVERIFY(page->contentHeight() * page->scale() <= ReportPageSetup::bodyHeight(
                    ReportPageSetup::layoutFor(m_printer->pageLayout())) + 1);
        const QString text = pageTexts(pdf).value(0);
        QVERIFY(text.contains(ed("Hourly means", "Stundenmittelwerte")));
    }

    void thePreviewWindow()
    {
        ScriptedSeams seams;
        AbpmReport* report = show(request());
        QVERIFY(report->isVisible());
        QVERIFY(!report->isModal());
        QCOMPARE(report->windowTitle(), ed("ABPM Summary Report", "ABDM-Auswertung Drucken"));
        QCOMPARE(report->pageCount(), 1);
        QCOMPARE(report->lblPageCount->text(), ed("of 1", "von 1"));
        QVERIFY(!report->actNextPage->isEnabled() && !report->actLastPage->isEnabled());
        QVERIFY(seams.messages.empty());
    }

    void savesAsPdf()
    {
        ScriptedSeams seams;
        const AbpmPrintRequest r = request();
        AbpmReport* report = show(r);
        const QString pdf = pdfPath();
        seams.filePaths.push_back(pdf);
        report->actSavePdf->trigger();
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        QCOMPARE(seams.fileRequests[0].fileName,
                 QFileInfo(r.dataFile).completeBaseName() + ed(" ABPM Summary.pdf", " ABDM-Auswertung.pdf"));
        QCOMPARE(seams.fileRequests[0].directory, QFileInfo(r.dataFile).absolutePath());
        QVERIFY(seams.messages.empty());
        QCOMPARE(pdfPageCount(pdf), 1);
        QVERIFY(pageTexts(pdf).value(0).contains(ed("Night-to-day dipping", "Nächtliche Absenkung")));
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        TestAbpmReport test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}
#include "test_abpmreport.moc"
