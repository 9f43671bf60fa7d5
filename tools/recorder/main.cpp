// korvane-recorder: a blood-pressure recorder on a pseudo-terminal, for
// service staff, demos and tests. See --help.
#include "text/Edition.h"
#include "platform/SerialSettings.h"
#include "platform/SettingsStore.h"
#include "tools/recorder/BpRecording.h"
#include "tools/recorder/PtyEndpoint.h"
#include "tools/recorder/RecorderOptions.h"
#include "tools/recorder/RecorderPlayer.h"
#include "tools/recorder/RecorderWindow.h"

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <memory>
#include <unistd.h>

namespace {

int gSignalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gSignalPipe[1], &c, 1);
}

// Ends the event loop on SIGINT/SIGTERM, so the link is removed on the way out.
void quitOnSignals()
{
    if (::pipe(gSignalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, &QCoreApplication::quit);
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
}

QList<BpReading> readingsFor(const RecorderOptions& options, QString* error)
{
    QList<BpReading> readings = options.csvFile.isEmpty()
        ? generateDayRecording(options.start, options.seed)
        : loadReadingsCsv(options.csvFile, error);
    if (options.count >= 0)
        readings = readings.mid(0, options.count);
    return readings;
}

} // namespace

int main(int argc, char** argv)
{
    bool window = false;
    for (int i = 1; i < argc; ++i)
        window = window || QByteArray(argv[i]) == "--window";
    // The serial layer's messages come from the catalogue.
    Edition::select(EditionId::English);
    std::unique_ptr<QCoreApplication> app(window ? new QApplication(argc, argv)
                                                 : new QCoreApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("korvane-recorder"));
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString error;
    QString help;
    const std::optional<RecorderOptions> parsed =
        RecorderOptions::parse(QCoreApplication::arguments(), &error, &help);
    if (!parsed) {
        if (!help.isEmpty()) {
            out << help;
            return 0;
        }
        err << "korvane-recorder: " << error << "\n";
        return 2;
    }
    const RecorderOptions& options = *parsed;

    const QList<BpReading> readings = readingsFor(options, &error);
    if (options.mode == RecorderOptions::Mode::BloodPressure && !error.isEmpty()) {
        err << "korvane-recorder: " << options.csvFile << ": " << error << "\n";
        return 1;
    }

    PtyEndpoint endpoint;
    QFile file;
    RecorderPlayer::Writer writer;
    if (!options.outputFile.isEmpty()) {
        file.setFileName(options.outputFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            err << "korvane-recorder: " << options.outputFile << ": " << file.errorString() << "\n";
            return 1;
        }
        writer = [&file](const QByteArray& bytes) {
            const qint64 n = file.write(bytes);
            file.flush();
            return n;
        };
    } else {
        if (!endpoint.open(&error)
            || (!options.linkPath.isEmpty() && !endpoint.createLink(options.linkPath, &error))) {
            err << "korvane-recorder: " << error << "\n";
            return 1;
        }
        // Bytes sent while nobody has the port open are lost, as on a line.
        writer = [&endpoint](const QByteArray& bytes) {
            return endpoint.peerIsOpen() ? endpoint.write(bytes) : qint64(0);
        };
        if (!options.registerPort.isEmpty()) {
            const QString device =
                options.linkPath.isEmpty() ? endpoint.devicePath() : options.linkPath;
            writeSetting(QString::fromLatin1(kAppTitle), QString::fromLatin1(kPortsSection),
                         options.registerPort, device);
        }
        out << "device " << endpoint.devicePath() << "\n";
        if (!options.linkPath.isEmpty())
            out << "link " << options.linkPath << "\n";
        out.flush();
    }
    quitOnSignals();

    if (options.window) {
        RecorderWindow w(options, readings, endpoint, writer);
        w.show();
        return app->exec();
    }

    RecorderPlayer player(writer);
    player.setLineRate(RecorderPlayer::lineRateForBaud(options.baud));
    QObject::connect(&player, &RecorderPlayer::burstSent, [&](int number, int count, bool delivered) {
        out << "burst " << number << " of " << count << (delivered ? " sent" : " lost") << "\n";
        out.flush();
    });
    QObject::connect(&player, &RecorderPlayer::finished, [&] {
        out << "done\n";
        out.flush();
        QTimer::singleShot(options.lingerMs, qApp, &QCoreApplication::quit);
    });
    const auto play = [&] {
        if (options.mode == RecorderOptions::Mode::Ecg) {
            player.playEcg(buildHeaderBurst(options.header, options.layout, options.plan.shape),
                           EcgSynthesizer(options.heartRate, options.seed, options.baseline),
                           options.headerPauseMs, options.seconds);
        } else {
            player.playBursts(options.plan.build(readings), options.gapMs);
        }
    };
    QTimer waitForPeer;
    if (options.waitForOpen && endpoint.isOpen()) {
        QObject::connect(&waitForPeer, &QTimer::timeout, [&] {
            if (!endpoint.peerIsOpen())
                return;
            waitForPeer.stop();
            out << "opened\n";
            out.flush();
            QTimer::singleShot(options.delayMs, play);
        });
        waitForPeer.start(20);
    } else {
        QTimer::singleShot(options.delayMs, play);
    }
    return app->exec();
}
