// The ABPM report a doctor signs: its preview shown over a data file of 100
// to 100,000 records (the file read, the figures, the page laid out and its
// first page painted as the preview shows it), and the PDF of a 24-hour
// recording (a reading every 15 minutes by day, 30 by night) as the FHIR
// export makes it. Goal: the preview of 100,000 records within 1 s, the
// PDF within 0.2 s.
#include "BenchDataFiles.h"
#include "data/AbpmReportSource.h"
#include "print/AbpmSignedReport.h"
#include "print/ReportPageSetup.h"
#include "print/ReportPageView.h"
#include "print/ReportWindows.h"
#include "state/SharedState.h"
#include "text/Edition.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_SignedReportPreview(benchmark::State& state)
{
    gDataFile = benchDataFile(int(state.range(0)));
    gFileReady = true;
    for (auto _ : state) {
        AbpmSignedReport* report = ReportWindows::signedReport();
        if (!report->Show()) {
            state.SkipWithError("not shown");
            break;
        }
        QImage page(report->pageView->size(), QImage::Format_RGB32);
        QPainter painter(&page);
        report->pageView->render(&painter);
        benchmark::DoNotOptimize(page);
    }
    ReportWindows::closeSignedReport();
    gRecordset.reset();
    gConnection.reset();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SignedReportPdf(benchmark::State& state)
{
    const QString path = benchFolder().filePath(QStringLiteral("day.amb"));
    makeBenchDataFile(path, 78, [](int i) {
        // 60 readings 10:00-24:55 every 15 minutes, then 18 every 30 minutes.
        const QDateTime start(QDate(2024, 3, 7), QTime(10, 0));
        const QDateTime at = i < 56 ? start.addSecs(i * 900) : start.addSecs(56 * 900 + (i - 56) * 1800);
        return std::pair{at.date().toString(Qt::ISODate), at.time().toString(QStringLiteral("HH:mm:ss"))};
    });
    gDataFile = path;
    gFileReady = true;
    const std::optional<AbpmReportSource> source = readAbpmReportSource(nullptr);
    if (!source) {
        state.SkipWithError("no source");
        return;
    }
    const AbpmReportFigures figures = computeAbpmReport(source->readings, source->periods, source->details, source->setAside);
    const AbpmSignedReportContent content{figures, source->details, {draftConclusion(figures), {}, {}}, {}, QDate(2024, 3, 8)};
    const QPageLayout page = ReportPageSetup::layoutFor(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    for (auto _ : state) {
        const QByteArray pdf = reportPdf(content, page, nullptr);
        if (pdf.isEmpty())
            state.SkipWithError("no PDF");
        benchmark::DoNotOptimize(pdf);
    }
    gRecordset.reset();
    gConnection.reset();
}

} // namespace

BENCHMARK(BM_SignedReportPreview)->Arg(100)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SignedReportPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Edition::select(EditionId::English);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
