// The data list report printed through the printer seam and read back from
// the PDF: bands on the right pages, every record's values in the file's
// order, captions where the twips put them, the rules, the fonts, both
// paper sizes; the refusals; the preview window's paging, zoom, printing
// and saving as PDF. Runs once per edition.
#include "PrintTestSupport.h"

#include "data/RecordingDetailsStore.h"
#include "print/ReportDocument.h"
#include "print/ReportPageView.h"
#include "text/MessageCatalogue.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QToolBar>
#include <QToolButton>

using namespace printtest;

namespace {

// The detail lines a file's rows must print as, from the file itself:
// dates and times as the edition writes them, numbers plain.
QStringList expectedDetailLines(const QString& path)
{
    const Edition& e = Edition::current();
    const QString sql = QStringLiteral("select %1,%2,%3,SYS_mmHg,DIA_mmHg,MAP_mmHg,%4 from ambpdata order by %1")
                            .arg(e.colId(), e.colDate(), e.colTime(), e.colPulse());
    QStringList lines;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("report-look"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(sql);
            while (q.next()) {
                const QDate date = QDate::fromString(q.value(1).toString(), Qt::ISODate);
                QString map = QString::number(q.value(5).toDouble(), 'g', 15);
                if (german())
                    map.replace(QLatin1Char('.'), QLatin1Char(','));
                lines << QStringList{q.value(0).toString(),
                                     date.toString(german() ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("M/d/yyyy")),
                                     q.value(2).toString(), q.value(3).toString(), q.value(4).toString(), map,
                                     q.value(6).toString()}
                             .join(QLatin1Char(' '));
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("report-look"));
    return lines;
}

QString captionLine()
{
    return german() ? QStringLiteral("Nr. Datum Uhrzeit SYS_mmHg DIA_mmHg MAP_mmHg Puls/Min.")
                    : QStringLiteral("ID Date Time SYS_mmHg DIA_mmHg MAP_mmHg Pulse_min");
}

// The lines of a page that are neither title, captions nor the closing line.
QStringList detailLines(const QString& page)
{
    QStringList details;
    for (const QString& line : linesOf(page))
        if (line != captionLine() && line != ed("Data List", "Datentabelle") && line != ed("End", "Ende"))
            details << line;
    return details;
}

// Rows (y) of dark lines that run across most of the body, each run of
// rows given by its middle.
QList<double> ruleRows(const QImage& page, int bodyLeft, int bodyWidth)
{
    QList<double> rows;
    int start = -1;
    for (int y = 0; y <= page.height(); ++y) {
        int dark = 0;
        if (y < page.height())
            for (int x = bodyLeft; x < bodyLeft + bodyWidth; ++x)
                dark += page.pixelColor(x, y).value() < 128;
        const bool rule = dark > bodyWidth * 9 / 10;
        if (rule && start < 0)
            start = y;
        if (!rule && start >= 0) {
            rows << (start + y - 1) / 2.0;
            start = -1;
        }
    }
    return rows;
}

// Left edges of the words in a band of rows: columns with ink after a gap
// of at least `gap` blank columns.
QList<int> inkStarts(const QImage& page, int top, int bottom, int gap)
{
    QList<int> starts;
    int blank = gap;
    for (int x = 0; x < page.width(); ++x) {
        bool ink = false;
        for (int y = top; y < bottom && !ink; ++y)
            ink = page.pixelColor(x, y).value() < 200;
        if (ink && blank >= gap)
            starts << x;
        blank = ink ? 0 : blank + 1;
    }
    return starts;
}

constexpr double kA4Width = 595.276, kA4Height = 841.89, kLetterWidth = 612, kLetterHeight = 792;

} // namespace

class TestDataReport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    clsbpdata* m_cursor = nullptr;
    std::unique_ptr<QPrinter> m_printer;

    QString fileWith(int records, EditionId edition)
    {
        const QString path = m_dir.filePath(QStringLiteral("r%1.amb").arg(++m_files));
        makeDataFile(path, edition);
        std::vector<BpRow> rows;
        for (int i = 0; i < records; ++i) {
            BpRow r;
            r.sys = 100 + i % 120;
            r.dia = 60 + i % 50;
            r.map = (*r.sys + 2 * *r.dia) / 3.0;
            r.pulse = 50 + i % 70;
            r.date = QDate(2024, 1 + i / 60 % 12, 1 + i % 28);
            r.time = QTime(i % 24, i % 60);
            rows.push_back(r);
        }
        insertRows(path, edition, rows);
        return path;
    }
    QString fileWith(int records) { return fileWith(records, Edition::current().id()); }

    QString pdfPath() { return m_dir.filePath(QStringLiteral("out%1.pdf").arg(++m_files)); }

    DataReport1* show(const QString& path)
    {
        return showReport(path, m_cursor, m_printer.get());
    }

    // Shows the report over the file and prints it into a new PDF file.
    QString printed(const QString& path)
    {
        ScriptedSeams seams;
        DataReport1* report = show(path);
        if (!report)
            return {};
        const QString pdf = pdfPath();
        printThroughSeam(report, seams, pdf);
        return pdf;
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
        ReportWindows::closeDataReport();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete m_cursor;
        m_cursor = nullptr;
        resetAll();
    }

    void anEmptyFilePrintsTitleCaptionsRulesAndEnd()
    {
        const QString pdf = printed(fileWith(0));
        QVERIFY(!pdf.isEmpty());
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 1);
        QCOMPARE(linesOf(pages[0]), QStringList({ed("Data List", "Datentabelle"), captionLine(), ed("End", "Ende")}));

        // The title's rule, the captions' rule and the foot rule, where the
        // twips put them below the inch of top margin (144 dpi: 10 twips a pixel).
        const QImage page = renderPage(pdf, 1, 144);
        const int bodyLeft = qRound((kA4Width * 20 - 8505) / 2 / 10);
        const int bodyHeight = qRound((kA4Height - 144) * 20);
        const QList<double> rules = ruleRows(page, bodyLeft + 5, 840);
        QCOMPARE(rules.size(), 3);
        QVERIFY2(qAbs(rules[0] - (1440 + 567) / 10.0) <= 1, qPrintable(QString::number(rules[0])));
        QVERIFY2(qAbs(rules[1] - (1440 + 690 + 567) / 10.0) <= 1, qPrintable(QString::number(rules[1])));
        QVERIFY2(qAbs(rules[2] - (1440 + bodyHeight - 360) / 10.0) <= 1, qPrintable(QString::number(rules[2])));
    }

    // 300 records on A4: 31 on the first page (under the title) and 33 on
    // each further page, (13958 - 690 - 645 - 360) / 390 and
    // (13958 - 645 - 360) / 390 rows of 390 twips.
    void aLongFilePrintsEveryRecordInOrderWithCaptionsOnEveryPage()
    {
        const QString path = fileWith(300);
        const QString pdf = printed(path);
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 10);

        QStringList printedDetails;
        for (int i = 0; i < pages.size(); ++i) {
            const QStringList lines = linesOf(pages[i]);
            QCOMPARE(lines.count(captionLine()), 1);
            const int expectedRows = i == 0 ? 31 : i < 9 ? 33 : 300 - 31 - 8 * 33;
            QCOMPARE(detailLines(pages[i]).size(), expectedRows);
            printedDetails << detailLines(pages[i]);
        }
        const QString all = pages.join(QString());
        QCOMPARE(all.count(ed("Data List", "Datentabelle")), 1);
        QVERIFY(linesOf(pages.first()).first() == ed("Data List", "Datentabelle"));
        QCOMPARE(linesOf(all).count(ed("End", "Ende")), 1);
        QCOMPARE(linesOf(pages.last()).last(), ed("End", "Ende"));
        QCOMPARE(printedDetails, expectedDetailLines(path));

        // The design's Arial, or its metric twin, for captions and values:
        // never a font of other widths.
        const QString fonts = QString::fromUtf8(runTool("pdffonts", {pdf}));
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("(LiberationSans|Arial)[-,]?BoldItalic"))),
                 qPrintable(fonts));
        QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("(LiberationSans|Arial)[-,]?Bold\\s"))),
                 qPrintable(fonts));
        QVERIFY2(!fonts.contains(QStringLiteral("DejaVu")), qPrintable(fonts));

        // The foot rule on every page.
        const int bodyLeft = qRound((kA4Width * 20 - 8505) / 2 / 10);
        const int bodyHeight = qRound((kA4Height - 144) * 20);
        for (int page : {2, 10}) {
            const QList<double> rules = ruleRows(renderPage(pdf, page, 144), bodyLeft + 5, 840);
            QCOMPARE(rules.size(), 2); // captions' rule and foot rule
            QVERIFY(qAbs(rules[1] - (1440 + bodyHeight - 360) / 10.0) <= 1);
        }
    }

    // A file with recording details prints their line at the foot of every
    // page, in the foot band's room: the pages hold as many records as before.
    void everyPageNamesTheRecording()
    {
        const QString path = fileWith(100);
        RecordingDetails d;
        d.surname = QStringLiteral("Łukasiewicz");
        d.firstName = QStringLiteral("Zoë");
        d.patientNumber = QStringLiteral("A-17");
        d.birthDate = QDate(1944, 7, 1);
        d.recordingStart = QDateTime(QDate(2025, 12, 30), QTime(8, 5), Qt::UTC);
        {
            Connection c;
            QVERIFY(c.openFile(path));
            QVERIFY(RecordingDetailsStore::write(c, d));
        }
        const QString pdf = printed(path);
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 4); // 31 + 33 + 33 + 3, as without the line
        const QString headline = detailsHeadline(d);
        QVERIFY(headline.contains(QStringLiteral("A-17")));
        for (const QString& page : pages) {
            QCOMPARE(linesOf(page).count(headline), 1);
            QCOMPARE(linesOf(page).count(captionLine()), 1);
        }
    }

    // 30 records leave room for the closing line on page 1; 31 do not, and
    // the closing line gets a page of its own with the captions.
    void theClosingLineMovesToAPageOfItsOwnWhenItDoesNotFit()
    {
        QCOMPARE(pageTexts(printed(fileWith(30))).size(), 1);
        const QStringList pages = pageTexts(printed(fileWith(31)));
        QCOMPARE(pages.size(), 2);
        QCOMPARE(detailLines(pages[0]).size(), 31);
        QCOMPARE(linesOf(pages[1]), QStringList({captionLine(), ed("End", "Ende")}));
    }

    // On Letter the body is shorter: 28 records under the title, 30 after.
    void letterPaperKeepsTheBodyAndItsMargins()
    {
        m_printer->setPageSize(QPageSize(QPageSize::Letter));
        const QString path = fileWith(300);
        const QString pdf = printed(path);
        const QSizeF size = pdfPageSize(pdf);
        QVERIFY(qAbs(size.width() - kLetterWidth) < 0.5 && qAbs(size.height() - kLetterHeight) < 0.5);
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 11);
        QCOMPARE(detailLines(pages[0]).size(), 28);
        QCOMPARE(detailLines(pages[1]).size(), 30);
        QCOMPARE(detailLines(pages[10]).size(), 2);
    }

    void captionsStartWhereTheTwipsSay_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<double>("paperWidth");
        QTest::newRow("A4") << int(QPageSize::A4) << kA4Width;
        QTest::newRow("Letter") << int(QPageSize::Letter) << kLetterWidth;
    }

    // On page 1 at 144 dpi (10 twips a pixel), each caption's first ink lies
    // in the pixel of its label's left edge plus the first letter's own left
    // bearing, give or take the one pixel the rasteriser's hinting may move it.
    void captionsStartWhereTheTwipsSay()
    {
        QFETCH(int, paper);
        QFETCH(double, paperWidth);
        m_printer->setPageSize(QPageSize(QPageSize::PageSizeId(paper)));
        const QString pdf = printed(fileWith(3));
        const QImage page = renderPage(pdf, 1, 144);
        QVERIFY(!page.isNull());

        const double margin = (paperWidth * 20 - 8505) / 2;
        const int bandTop = (1440 + 690) / 10;
        const QList<int> starts = inkStarts(page, bandTop, bandTop + 24, 8);
        const int lefts[] = {0, 720, 1872, 3456, 4752, 6048, 7344};
        const QStringList captions = captionLine().split(QLatin1Char(' '));
        QCOMPARE(starts.size(), 7);
        QFont font({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
        font.setPixelSize(180); // 9 pt in twips
        font.setBold(true);
        font.setItalic(true);
        const QFontMetricsF metrics(font);
        for (int i = 0; i < 7; ++i) {
            const double expected = (margin + lefts[i] + metrics.leftBearing(captions[i].at(0))) / 10;
            QVERIFY2(qAbs(starts[i] - qFloor(expected)) <= 1,
                     qPrintable(QStringLiteral("%1 at %2 px, expected %3").arg(captions[i]).arg(starts[i]).arg(expected)));
        }
    }

    // The cursor's data member is whatever the shared record set holds:
    // here one read from a file of the other edition with that edition's query.
    void aRecordSetWithoutTheColumnsIsRefusedNamingThem()
    {
        ScriptedSeams seams;
        gDataFile = fileWith(1);
        gFileReady = true;
        m_cursor = new clsbpdata;
        const EditionId other = german() ? EditionId::English : EditionId::German;
        auto connection = std::make_shared<Connection>();
        QVERIFY(connection->openFile(fileWith(5, other)));
        auto records = std::make_shared<Recordset>();
        QVERIFY(records->open(AmbSchema::recordQuery(other), connection));
        gRecordset = records;

        DataReport1* report = ReportWindows::dataReport();
        report->setDataMember(clsbpdata::dataMemberName());
        report->setDataSource(m_cursor);
        QVERIFY(!report->Show());
        QCOMPARE(seams.messageTexts(),
                 QStringList(german() ? QStringLiteral("Datentabelle Drucken nicht möglich ! , Spalten fehlen : "
                                                       "Nr_, Datum, Uhrzeit, Puls_min")
                                      : QStringLiteral("Print Data List Report Failure ! , Columns Not Found : "
                                                       "ID, Date, Time, Pulse_min")));
        QCOMPARE(seams.messages.back().title, catText("DataReport1.caption"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!ReportWindows::shownDataReport());
        records->close();
        connection->close();
    }

    void aClosedRecordSetIsRefusedAsNotReady()
    {
        ScriptedSeams seams;
        gDataFile = fileWith(5);
        gFileReady = true;
        m_cursor = new clsbpdata;
        gRecordset->close();
        DataReport1* report = ReportWindows::dataReport();
        report->setDataMember(clsbpdata::dataMemberName());
        report->setDataSource(m_cursor);
        QVERIFY(!report->Show());
        QCOMPARE(seams.messageTexts(),
                 QStringList(ed("Print Data List Report Failure ! , File Not Ready !", "Wird das Öffnen Datei !")));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!ReportWindows::shownDataReport());
    }

    void thePreviewPagesAndZooms()
    {
        ScriptedSeams seams;
        DataReport1* report = show(fileWith(300));
        QVERIFY(report && report->isVisible());
        QVERIFY(!report->isModal());
        QCOMPARE(report->windowTitle(), ed("Data List Report", "Datentabelle Drucken "));
        QCOMPARE(report->currentPage(), 1);
        QCOMPARE(report->lblPageCount->text(), ed("of 10", "von 10"));
        QVERIFY(!report->actFirstPage->isEnabled() && !report->actPreviousPage->isEnabled());

        report->actNextPage->trigger();
        QCOMPARE(report->currentPage(), 2);
        report->actLastPage->trigger();
        QCOMPARE(report->currentPage(), 10);
        QVERIFY(!report->actNextPage->isEnabled() && !report->actLastPage->isEnabled());
        report->actPreviousPage->trigger();
        QCOMPARE(report->spnPage->value(), 9);
        report->spnPage->setValue(4);
        QCOMPARE(report->currentPage(), 4);
        QVERIFY(QTest::qWaitForWindowActive(report));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(report->currentPage(), 5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(report->currentPage(), 10);
        report->actFirstPage->trigger();
        QCOMPARE(report->currentPage(), 1);

        // 100 %: the paper at 15 twips a pixel; the fits follow the window.
        report->cboZoom->setCurrentIndex(report->cboZoom->findText(QStringLiteral("100 %")));
        const QSizeF paper(kA4Width * 20 / 15, kA4Height * 20 / 15);
        QVERIFY(qAbs(report->pageView->width() - 2 * ReportPageView::kGap - paper.width()) <= 1);
        report->cboZoom->setCurrentIndex(report->cboZoom->findText(QStringLiteral("200 %")));
        QVERIFY(qAbs(report->pageView->width() - 2 * ReportPageView::kGap - 2 * paper.width()) <= 1);
        report->cboZoom->setCurrentIndex(report->cboZoom->findText(ed("Page Width", "Seitenbreite")));
        auto* scroll = report->findChild<QScrollArea*>();
        QVERIFY(qAbs(report->pageView->width() - scroll->viewport()->width()) <= 1);
        report->cboZoom->setCurrentIndex(report->cboZoom->findText(ed("Whole Page", "Ganze Seite")));
        QVERIFY(report->pageView->height() <= scroll->viewport()->height() + 1);
        report->resize(report->width() / 2, report->height() / 2);
        QVERIFY(report->pageView->height() <= scroll->viewport()->height() + 1);
    }

    // The preview reads the record set as it is: rows deleted or added
    // change the pages, and the page shown stays within them.
    void thePreviewFollowsTheRecordSet()
    {
        ScriptedSeams seams;
        DataReport1* report = show(fileWith(100));
        QCOMPARE(report->pageCount(), 4); // 31 + 33 + 33 + 3
        report->actLastPage->trigger();
        const std::shared_ptr<Recordset> records = gRecordset;
        records->moveFirst();
        for (int i = 0; i < 70; ++i)
            QVERIFY(records->deleteRecord() && (records->moveNext() || records->eof()));
        QCOMPARE(report->pageCount(), 1);
        QCOMPARE(report->currentPage(), 1);
        QCOMPARE(report->lblPageCount->text(), ed("of 1", "von 1"));
        QVERIFY(records->addNew());
        QVERIFY(records->setValue(QStringLiteral("SYS_mmHg"), 140));
        QVERIFY(records->update());
        QCOMPARE(report->document()->recordsOn(1), 31);
        QCOMPARE(report->pageCount(), 2);
    }

    void printingKeepsThePageRangeAndPaperAndACancelPrintsNothing()
    {
        ScriptedSeams seams;
        DataReport1* report = show(fileWith(300));
        seams.acceptPrinterDialog = false;
        const QString none = pdfPath();
        printThroughSeam(report, seams, none);
        QVERIFY(!QFile::exists(none));

        seams.acceptPrinterDialog = true;
        m_printer->setPrintRange(QPrinter::PageRange);
        m_printer->setFromTo(2, 3);
        const QString pdf = pdfPath();
        printThroughSeam(report, seams, pdf);
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(detailLines(pages[0]).first(), expectedDetailLines(gDataFile).at(31));
        QVERIFY(seams.messages.empty());

        // Letter chosen in the printer dialog: printed, and previewed from then on.
        QCOMPARE(report->pageCount(), 10);
        m_printer->setPrintRange(QPrinter::AllPages);
        m_printer->setPageSize(QPageSize(QPageSize::Letter));
        const QString letter = pdfPath();
        printThroughSeam(report, seams, letter);
        QCOMPARE(pdfPageCount(letter), 11);
        QCOMPARE(report->pageCount(), 11);
    }

    void savingAsPdfWritesTheWholeReportOrSaysWhy()
    {
        ScriptedSeams seams;
        const QString path = fileWith(40);
        DataReport1* report = show(path);

        seams.filePaths.push_back(QString()); // cancelled
        report->actSavePdf->trigger();
        QCOMPARE(seams.fileRequests.size(), size_t(1));
        const FileDialogRequest& request = seams.fileRequests.front();
        QCOMPARE(request.kind, FileDialogRequest::Kind::Save);
        QCOMPARE(request.title, ed("Save as PDF", "Als PDF speichern"));
        QCOMPARE(request.defaultSuffix, QStringLiteral("pdf"));
        QVERIFY(request.overwritePrompt);
        QCOMPARE(request.fileName, QFileInfo(path).completeBaseName() + QStringLiteral(".pdf"));

        // An existing file is replaced by the whole report.
        const QString pdf = pdfPath();
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        seams.filePaths.push_back(pdf);
        report->actSavePdf->trigger();
        const QStringList pages = pageTexts(pdf);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(detailLines(pages[0]) + detailLines(pages[1]), expectedDetailLines(path));
        QVERIFY(seams.messages.empty());

        const QString nowhere = m_dir.filePath(QStringLiteral("no-such-folder/report.pdf"));
        seams.filePaths.push_back(nowhere);
        report->actSavePdf->trigger();
        QCOMPARE(seams.messageTexts(),
                 QStringList(ed("File  %1  Can not Save ! , File Can not Be Written",
                                "Datei  %1  kann nicht gespeichert werden ! , Datei nicht beschreibbar")
                                 .arg(nowhere)));
        QVERIFY(!QFile::exists(nowhere));
    }

    void everyOperableControlHasAName()
    {
        ScriptedSeams seams;
        DataReport1* report = show(fileWith(3));
        int named = 0;
        for (QWidget* control : report->findChildren<QWidget*>()) {
            if (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QToolButton*>(control))
                continue;
            if (!control->isVisibleTo(report) || qobject_cast<QScrollArea*>(control)
                || control->inherits("QLineEdit") || control->inherits("QScrollBar"))
                continue; // the spin box's own editor; the scroll area's bars
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
            QVERIFY(face);
            QVERIFY2(!face->text(QAccessible::Name).trimmed().isEmpty(), control->metaObject()->className());
            ++named;
        }
        QVERIFY2(named >= 10, qPrintable(QString::number(named)));
    }

    // With KORVANE_SHOT_DIR set the preview is kept there as a picture.
    void rendersThePreview()
    {
        ScriptedSeams seams;
        DataReport1* report = show(fileWith(45));
        report->resize(820, 1000);
        report->cboZoom->setCurrentIndex(report->cboZoom->findText(ed("Page Width", "Seitenbreite")));
        const QImage picture = report->grab().toImage();
        QCOMPARE(picture.size(), report->size());
        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        if (!shots.isEmpty())
            QVERIFY(picture.save(shots + (german() ? "/DataReport1-de.png" : "/DataReport1-en.png")));
    }
};

int main(int argc, char** argv)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    int failures = 0;
    for (EditionId edition : {EditionId::English, EditionId::German}) {
        Edition::select(edition);
        qInfo("---- %s edition", edition == EditionId::German ? "German" : "English");
        TestDataReport test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures;
}

#include "test_datareport.moc"
