#include "tools/recorder/RecorderOptions.h"

#include "platform/SerialSettings.h"

#include <QCommandLineParser>

namespace {

bool parseBurstList(const QString& text, BurstFault fault, BpBurstPlan& plan)
{
    if (text == QLatin1String("all")) {
        plan.allBursts = fault;
        return true;
    }
    for (const QString& item : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int number = item.trimmed().toInt(&ok);
        if (!ok || number < 1)
            return false;
        plan.faults.insert(number, fault);
    }
    return true;
}

bool parseHeader(const QString& text, EcgHeader& header)
{
    const QStringList fields = text.split(QLatin1Char(','));
    if (fields.size() != 7)
        return false;
    quint8 v[7];
    for (int i = 0; i < 7; ++i) {
        bool ok = false;
        const int value = fields[i].trimmed().toInt(&ok);
        if (!ok || value < 0 || value > 255)
            return false;
        v[i] = quint8(value);
    }
    header = EcgHeader{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
    return true;
}

} // namespace

std::optional<RecorderOptions> RecorderOptions::parse(const QStringList& arguments,
                                                      QString* error, QString* helpText)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Plays a blood-pressure recorder on a pseudo-terminal: the program under test\n"
        "opens the device (or the link to it) as its serial port. Without --window the\n"
        "recording is played once the port is opened, then the simulator ends."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption window(QStringLiteral("window"),
                                    QStringLiteral("Show a window with the recorder's send key."));
    const QCommandLineOption onTop(
        QStringLiteral("on-top"),
        QStringLiteral("Keep the window above other windows, at the right edge of the screen."));
    const QCommandLineOption instructions(QStringLiteral("instructions"),
                                          QStringLiteral("Show this text at the top of the window."),
                                          QStringLiteral("text"));
    const QCommandLineOption link(QStringLiteral("link"),
                                  QStringLiteral("Stable link to the device (default %1).")
                                      .arg(QStringLiteral("/tmp/korvane-recorder")),
                                  QStringLiteral("path"), QStringLiteral("/tmp/korvane-recorder"));
    const QCommandLineOption registerPort(
        QStringLiteral("register-port"),
        QStringLiteral("Point port COMn of the program's settings at the link."),
        QStringLiteral("COMn"));
    const QCommandLineOption output(QStringLiteral("output"),
                                    QStringLiteral("Write to a file instead of a pseudo-terminal."),
                                    QStringLiteral("file"));
    const QCommandLineOption noWait(QStringLiteral("no-wait"),
                                    QStringLiteral("Play at once, not when the port is opened."));
    const QCommandLineOption delay(QStringLiteral("delay"),
                                   QStringLiteral("Pause after the port is opened (200)."),
                                   QStringLiteral("ms"), QStringLiteral("200"));
    const QCommandLineOption linger(QStringLiteral("linger"),
                                    QStringLiteral("Stay after the last byte before hanging up (500)."),
                                    QStringLiteral("ms"), QStringLiteral("500"));
    const QCommandLineOption csv(QStringLiteral("csv"),
                                 QStringLiteral("Readings: month,day,hour,minute,sys,dia,pulse per line."),
                                 QStringLiteral("file"));
    const QCommandLineOption start(QStringLiteral("start"),
                                   QStringLiteral("Start of the generated recording (yesterday 08:00, so that it has just ended)."),
                                   QStringLiteral("yyyy-MM-dd HH:mm"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed (1)."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption count(QStringLiteral("count"),
                                   QStringLiteral("Play only the first n readings."),
                                   QStringLiteral("n"));
    const QCommandLineOption burstLength(QStringLiteral("burst-length"),
                                         QStringLiteral("Bytes per burst, or a range to draw each burst's length from, as 80-200 (96)."),
                                         QStringLiteral("n"),
                                         QStringLiteral("96"));
    const QCommandLineOption offset(QStringLiteral("offset"),
                                    QStringLiteral("Frame offset in each burst, or random: drawn from 0..60 for each (5)."),
                                    QStringLiteral("n"), QStringLiteral("5"));
    const QCommandLineOption gap(QStringLiteral("gap"), QStringLiteral("Gap between bursts (300)."),
                                 QStringLiteral("ms"), QStringLiteral("300"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Pace bytes as a line at this rate, e.g. 9600 "
                                                 "(0: each burst at once)."),
                                  QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption endMarker(QStringLiteral("end-marker"),
                                       QStringLiteral("Send the end marker after the last frame."));
    const QCommandLineOption badChecksum(QStringLiteral("bad-checksum"),
                                         QStringLiteral("Bursts (1,2,.. or all) with a wrong sum."),
                                         QStringLiteral("list"));
    const QCommandLineOption wrongMarker(QStringLiteral("wrong-marker"),
                                         QStringLiteral("Bursts with a wrong marker byte."),
                                         QStringLiteral("list"));
    const QCommandLineOption twoFrames(QStringLiteral("two-frames"),
                                       QStringLiteral("Bursts with a second frame."),
                                       QStringLiteral("list"));
    const QCommandLineOption offset61(QStringLiteral("offset61"),
                                      QStringLiteral("Bursts with the frame at offset 61."),
                                      QStringLiteral("list"));
    const QCommandLineOption noise(QStringLiteral("noise"),
                                   QStringLiteral("Random noise bursts mixed in (0)."),
                                   QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption noiseLength(QStringLiteral("noise-length"),
                                         QStringLiteral("Bytes per noise burst (40)."),
                                         QStringLiteral("n"), QStringLiteral("40"));
    const QCommandLineOption ecg(QStringLiteral("ecg"), QStringLiteral("Play an ECG strip."));
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("ECG header layout: split or whole (split)."),
                                    QStringLiteral("layout"), QStringLiteral("split"));
    const QCommandLineOption header(QStringLiteral("header"),
                                    QStringLiteral("ECG header qrs,st,hr,month,day,hour,minute "
                                                   "(8,5,72,3,7,14,5)."),
                                    QStringLiteral("values"));
    const QCommandLineOption heartRate(QStringLiteral("heart-rate"),
                                       QStringLiteral("Heart rate of the ECG (72)."),
                                       QStringLiteral("bpm"), QStringLiteral("72"));
    const QCommandLineOption seconds(QStringLiteral("seconds"),
                                     QStringLiteral("Length of the ECG, 0 for endless (30)."),
                                     QStringLiteral("s"), QStringLiteral("30"));
    const QCommandLineOption baseline(QStringLiteral("baseline"),
                                      QStringLiteral("Sample value of the 0 mV line (64)."),
                                      QStringLiteral("n"), QStringLiteral("64"));
    p.addOptions({help, window, onTop, instructions, link, registerPort, output, noWait, delay, linger, csv, start,
                  seed, count, burstLength, offset, gap, baud, endMarker, badChecksum, wrongMarker,
                  twoFrames, offset61, noise, noiseLength, ecg, layout, header, heartRate,
                  seconds, baseline});

    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    if (!p.parse(arguments))
        return fail(p.errorText());
    if (p.isSet(help)) {
        if (helpText)
            *helpText = p.helpText();
        return std::nullopt;
    }
    if (!p.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument %1").arg(p.positionalArguments().first()));

    RecorderOptions o;
    const auto integer = [&p](const QCommandLineOption& option, int low, int high,
                              int* value) {
        bool ok = false;
        const int v = p.value(option).toInt(&ok);
        if (!ok || v < low || v > high)
            return false;
        *value = v;
        return true;
    };
    o.mode = p.isSet(ecg) ? Mode::Ecg : Mode::BloodPressure;
    o.window = p.isSet(window);
    o.onTop = p.isSet(onTop);
    o.instructions = p.value(instructions);
    o.linkPath = p.value(link);
    o.registerPort = p.value(registerPort);
    o.outputFile = p.value(output);
    o.waitForOpen = !p.isSet(noWait);
    o.csvFile = p.value(csv);

    int seedValue = 1;
    if (!integer(delay, 0, 3600000, &o.delayMs) || !integer(linger, 0, 3600000, &o.lingerMs)
        || !integer(seed, 0, 2147483647, &seedValue)
        || !integer(gap, 0, 3600000, &o.gapMs)
        || !integer(baud, 0, 1000000, &o.baud)
        || !integer(noise, 0, 10000, &o.plan.noiseBursts)
        || !integer(noiseLength, 1, 4096, &o.plan.noiseLength)
        || !integer(heartRate, 20, 250, &o.heartRate))
        return fail(QStringLiteral("a number is out of range or not a number"));
    o.seed = quint32(seedValue);
    const QStringList lengths = p.value(burstLength).split(QLatin1Char('-'));
    bool shortestOk = false;
    bool longestOk = lengths.size() == 1;
    o.plan.shape.length = lengths.first().toInt(&shortestOk);
    if (lengths.size() == 2)
        o.plan.longestBurst = lengths.last().toInt(&longestOk);
    if (!shortestOk || !longestOk || lengths.size() > 2 || o.plan.shape.length < 1
        || o.plan.shape.length > 4096 || o.plan.longestBurst > 4096
        || (lengths.size() == 2 && o.plan.longestBurst < o.plan.shape.length))
        return fail(QStringLiteral("--burst-length wants 1..4096 or a range like 80-200"));
    o.plan.randomOffset = p.value(offset) == QLatin1String("random");
    if (!o.plan.randomOffset && !integer(offset, 0, 4000, &o.plan.shape.frameOffset))
        return fail(QStringLiteral("--offset wants 0..4000 or random"));
    o.plan.seed = o.seed;
    if (p.isSet(count) && !integer(count, 0, 100000, &o.count))
        return fail(QStringLiteral("--count wants a number"));
    bool ok = false;
    o.seconds = p.value(seconds).toDouble(&ok);
    if (!ok || o.seconds < 0)
        return fail(QStringLiteral("--seconds wants a number of seconds"));
    o.baseline = p.value(baseline).toDouble(&ok);
    if (!ok || o.baseline < 0 || o.baseline > 255)
        return fail(QStringLiteral("--baseline wants 0..255"));
    o.plan.endMarkerAfterLast = p.isSet(endMarker);

    const std::pair<const QCommandLineOption*, BurstFault> faults[] = {
        {&badChecksum, BurstFault::BadChecksum},
        {&wrongMarker, BurstFault::WrongMarker},
        {&twoFrames, BurstFault::TwoFrames},
        {&offset61, BurstFault::Offset61},
    };
    for (const auto& [option, fault] : faults) {
        if (p.isSet(*option) && !parseBurstList(p.value(*option), fault, o.plan))
            return fail(QStringLiteral("--%1 wants burst numbers like 1,3 or all")
                            .arg(option->names().first()));
    }

    if (p.value(layout) == QLatin1String("whole"))
        o.layout = FrameLayout::WholeByte;
    else if (p.value(layout) == QLatin1String("split"))
        o.layout = FrameLayout::Split;
    else
        return fail(QStringLiteral("--layout is split or whole"));
    if (p.isSet(header) && !parseHeader(p.value(header), o.header))
        return fail(QStringLiteral("--header wants seven values 0..255"));
    if (!p.isSet(header))
        o.header.heartRate = quint8(o.heartRate);

    if (p.isSet(start)) {
        o.start = QDateTime::fromString(p.value(start), QStringLiteral("yyyy-MM-dd HH:mm"));
        if (!o.start.isValid())
            return fail(QStringLiteral("--start wants yyyy-MM-dd HH:mm"));
    } else {
        o.start = QDateTime(QDate::currentDate().addDays(-1), QTime(8, 0));
    }
    if (!o.registerPort.isEmpty() && !portNumberFromName(o.registerPort))
        return fail(QStringLiteral("--register-port wants COM1..COM8"));
    return o;
}
