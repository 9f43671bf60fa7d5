// The victim of the kill test: stores reading runs into a data file, or
// copies a data file as File > Save does, or changes the recording's
// details, over and over, and says after each step what is now committed.
// The test kills it at random moments.
//   kill_target store <file>
//   kill_target save <source> <target>
//   kill_target details <file>
#include "comm/SaveRecords.h"
#include "data/CurrentDataFile.h"
#include "data/DataFileCopy.h"
#include "data/KillDetails.h"
#include "data/RecordingDetailsStore.h"
#include "state/SharedState.h"
#include "text/Edition.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// A run of 100 readings that no earlier run repeats.
QList<BpRecord> runOfReadings(int run)
{
    QList<BpRecord> readings;
    for (int i = 0; i < 100; ++i) {
        const int n = run * 100 + i;
        readings.append({quint8(100 + n % 80), quint8(60 + n % 30), quint8(50 + n % 40), quint8(1 + (n / 1440) % 12),
                         quint8(1 + (n / 60 / 24) % 28), quint8((n / 60) % 24), quint8(n % 60)});
    }
    return readings;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Edition::select(EditionId::English);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("store")) {
        gDataFile = args[2];
        gFileReady = true;
        // Each victim goes on where the one before was killed.
        if (!CurrentDataFile::records())
            return 1;
        for (int run = int(gRecordCount / 100);; ++run) {
            const StoreOutcome outcome = SaveRecords(runOfReadings(run));
            if (!outcome.ok() || outcome.added != 100)
                return 1;
            std::printf("stored %lld\n", static_cast<long long>(gRecordCount));
            std::fflush(stdout);
        }
    }
    if (args.size() == 4 && args[1] == QLatin1String("save")) {
        for (;;) {
            if (!DataFileCopy::copyDatabase(args[2], args[3]))
                return 1;
            std::printf("copied\n");
            std::fflush(stdout);
        }
    }
    if (args.size() == 3 && args[1] == QLatin1String("details")) {
        gDataFile = args[2];
        gFileReady = true;
        const std::optional<RecordingDetails> stored = RecordingDetailsStore::readCurrent();
        if (!stored)
            return 1;
        for (int n = generationOf(*stored) + 1;; ++n) {
            if (!RecordingDetailsStore::writeCurrent(detailsOfGeneration(n)))
                return 1;
            std::printf("details %d\n", n);
            std::fflush(stdout);
        }
    }
    return 2;
}
