// The data list report over large files: from the report's Show to its
// first page painted in the preview (with the record set already open, as
// from the list window, and with the cursor opening the file first, as
// from the main window's Print list), a step to the last page, and the
// whole report saved as a PDF file.
#include "BenchDataFiles.h"
#include "data/AmbSchema.h"
#include "data/clsbpdata.h"
#include "print/DataReport1.h"
#include "print/ReportDocument.h"
#include "print/ReportExport.h"
#include "print/ReportLayout.h"
#include "print/ReportPageSetup.h"
#include "print/ReportPageView.h"
#include "print/ReportWindows.h"
#include "state/SharedState.h"

#include <QApplication>
#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

QPrinter& a4Printer()
{
    static QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

std::unique_ptr<clsbpdata> openCursor(int records)
{
    gDataFile = benchDataFile(records);
    gFileReady = true;
    return std::make_unique<clsbpdata>();
}

// Show as the callers do, then paint the page the preview shows.
DataReport1* showAndPaintFirstPage(clsbpdata* cursor)
{
    DataReport1* report = ReportWindows::dataReport();
    report->setPrinter(&a4Printer());
    report->setDataMember(clsbpdata::dataMemberName());
    report->setDataSource(cursor);
    if (!report->Show())
        return nullptr;
    report->pageView->grab();
    return report;
}

void closeReport()
{
    ReportWindows::closeDataReport();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_PreviewFirstPage(benchmark::State& state)
{
    const std::unique_ptr<clsbpdata> cursor = openCursor(int(state.range(0)));
    for (auto _ : state) {
        if (!showAndPaintFirstPage(cursor.get())) {
            state.SkipWithError("the report did not show");
            break;
        }
        state.PauseTiming();
        closeReport();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PreviewFirstPage)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// From the main window's Print list: the cursor reads the whole file first.
void BM_PrintListToFirstPage(benchmark::State& state)
{
    for (auto _ : state) {
        const std::unique_ptr<clsbpdata> cursor = openCursor(int(state.range(0)));
        if (!showAndPaintFirstPage(cursor.get())) {
            state.SkipWithError("the report did not show");
            break;
        }
        state.PauseTiming();
        closeReport();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PrintListToFirstPage)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PreviewLastPage(benchmark::State& state)
{
    const std::unique_ptr<clsbpdata> cursor = openCursor(int(state.range(0)));
    DataReport1* report = showAndPaintFirstPage(cursor.get());
    if (!report) {
        state.SkipWithError("the report did not show");
        return;
    }
    for (auto _ : state) {
        report->showPage(report->pageCount());
        report->pageView->grab();
        report->showPage(1);
        report->pageView->grab();
    }
    closeReport();
}
BENCHMARK(BM_PreviewLastPage)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SavePdf(benchmark::State& state)
{
    const std::unique_ptr<clsbpdata> cursor = openCursor(int(state.range(0)));
    const ReportLayout layout = ReportDesign::dataReport1();
    const QString pdf = benchFolder().filePath(QStringLiteral("report.pdf"));
    const QPageLayout page = ReportPageSetup::layoutFor(a4Printer().pageLayout());
    for (auto _ : state) {
        QString error;
        const ReportDocument document(layout, gRecordset, ReportPageSetup::bodyHeight(page));
        if (!ReportExport::savePdf(document, page, QStringLiteral("Data List Report"), pdf, &error)) {
            state.SkipWithError(qPrintable(error));
            break;
        }
    }
    state.counters["pages"] = ReportDocument(layout, gRecordset, ReportPageSetup::bodyHeight(page)).pageCount();
}
BENCHMARK(BM_SavePdf)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
