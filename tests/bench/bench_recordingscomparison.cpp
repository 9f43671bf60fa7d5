// The follow-up comparison of 4 recordings of 300 readings each (a reading
// every 5 minutes): the figures of all four (compareRecordings), and the
// page laid out and painted as the preview shows it at 1024 x 768.
// Goal: both within 0.1 s, so the page opens without a wait.
#include "data/RecordingComparison.h"
#include "print/RecordingsComparisonPage.h"
#include "print/ReportPageSetup.h"
#include "text/Edition.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

std::vector<AbpmReportSource> fourRecordings()
{
    std::vector<AbpmReportSource> sources;
    for (int k = 0; k < 4; ++k) {
        AbpmReportSource s;
        s.dataFile = QStringLiteral("/data/recording%1.amb").arg(k);
        s.periods = AbpmPeriods::standard();
        const QDateTime start(QDate(2023, 1, 10).addMonths(4 * k), QTime(10, 0), Qt::UTC);
        for (int i = 0; i < 300; ++i) {
            AbpmReading r;
            r.id = i + 1;
            r.moment = start.addSecs(qint64(i) * 300);
            const bool night = r.moment.time().hour() >= 22 || r.moment.time().hour() < 7;
            r.sys = (night ? 122 : 145) - 3 * k + (i % 7) * 2;
            r.dia = (night ? 72 : 88) - 2 * k + (i % 5);
            r.map = (*r.sys + 2 * *r.dia) / 3;
            r.pulse = 70 + i % 9;
            s.readings.push_back(r);
        }
        sources.push_back(std::move(s));
    }
    return sources;
}

void BM_CompareRecordings(benchmark::State& state)
{
    const std::vector<AbpmReportSource> sources = fourRecordings();
    for (auto _ : state)
        benchmark::DoNotOptimize(compareRecordings(sources));
}

void BM_ComparisonPagePainted(benchmark::State& state)
{
    const std::vector<AbpmReportSource> sources = fourRecordings();
    const QPageLayout layout = ReportPageSetup::layoutFor(QPageSize(QPageSize::A4), QPageLayout::Portrait);
    QImage picture(1024, 768, QImage::Format_RGB32);
    for (auto _ : state) {
        const RecordingsComparisonPage page(compareRecordings(sources), QDate(2024, 11, 5), layout);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(768.0 / 16838, 768.0 / 16838); // the whole A4 page in the window's height
        page.paintPage(painter, 1);
        benchmark::DoNotOptimize(picture);
    }
}

} // namespace

BENCHMARK(BM_CompareRecordings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComparisonPagePainted)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Edition::select(EditionId::English);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
