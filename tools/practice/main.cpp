// korvane-practice: plays the practice system of the GDT link. It writes a
// request for the patient it is given into the device's request folder,
// waits for the result in the result folder, shows it field by field and
// takes it (deletes it), as a practice system does.
//
//   korvane-practice --folder DIR [--results DIR] --patient NUMBER
//       [--surname S] [--first F] [--born DDMMYYYY] [--sex 1|2]
//       [--type 6301|6302|6311] [--charset 1|2|3] [--pvs PRAX] [--device KORV]
//       [--wait SECONDS] [--keep]
//
// Ends with 0 when a result came (or --wait 0: none awaited), 2 when none
// came in time, 1 on wrong arguments or an unwritable folder.
#include "tools/practice/PracticeSide.h"

#include "exchange/GdtFolder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

namespace {

void say(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

QString waitForResult(const QString& folder, const QString& pvs, const QString& device, int seconds)
{
    const QDeadlineTimer deadline(qint64(seconds) * 1000);
    while (true) {
        // A result to the practice system is named as a request to it.
        const QStringList waiting = GdtFolder::requestFiles(folder, pvs, device);
        if (!waiting.isEmpty())
            return QDir(folder).filePath(waiting.first());
        if (deadline.hasExpired())
            return QString();
        QThread::msleep(100);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays the practice system of the GDT link."));
    parser.addHelpOption();
    const auto option = [&](const char* name, const char* help, const char* fallback = nullptr) {
        QCommandLineOption o(QString::fromLatin1(name), QString::fromLatin1(help), QStringLiteral("value"));
        if (fallback)
            o.setDefaultValue(QString::fromLatin1(fallback));
        parser.addOption(o);
        return o;
    };
    const auto folder = option("folder", "the device's request folder");
    const auto results = option("results", "the result folder (default: the request folder)");
    const auto patient = option("patient", "patient number (3000)");
    const auto surname = option("surname", "surname (3101)");
    const auto first = option("first", "first name (3102)");
    const auto born = option("born", "date of birth, DDMMYYYY (3103)");
    const auto sex = option("sex", "1 male, 2 female (3110)");
    const auto type = option("type", "record type: 6301, 6302 or 6311", "6302");
    const auto charset = option("charset", "9206: 1, 2 or 3", "2");
    const auto pvs = option("pvs", "the practice system's GDT ID", "PRAX");
    const auto device = option("device", "the device program's GDT ID", "KORV");
    const auto wait = option("wait", "seconds to wait for the result (0: none)", "600");
    const QCommandLineOption keep(QStringLiteral("keep"), QStringLiteral("leave the result in its folder"));
    parser.addOption(keep);
    parser.process(app);

    PracticeRequest request;
    request.kind = GdtRequestKind(parser.value(type).toInt());
    request.patient.number = parser.value(patient);
    request.patient.surname = parser.value(surname);
    request.patient.firstName = parser.value(first);
    request.patient.birthDate = QDate::fromString(parser.value(born), QStringLiteral("ddMMyyyy"));
    request.patient.sex = gdtSexFromField(parser.value(sex)).value_or(GdtSex::Unknown);
    request.charset = gdtCharsetFromField(parser.value(charset).toLatin1()).value_or(GdtCharset::Cp437);
    request.pvsId = parser.value(pvs);
    request.deviceId = parser.value(device);
    if (parser.value(folder).isEmpty() || request.patient.number.isEmpty()) {
        say(QStringLiteral("--folder and --patient are needed (see --help)"));
        return 1;
    }
    const QString requestPath = GdtFolder::nextResultPath(parser.value(folder), request.deviceId, request.pvsId);
    QString why;
    if (requestPath.isEmpty() || !GdtFolder::writeWhole(requestPath, practiceRequestFile(request), &why)) {
        say(QStringLiteral("The request could not be written into %1: %2").arg(parser.value(folder), why));
        return 1;
    }
    say(QStringLiteral("Request written: %1").arg(QDir::toNativeSeparators(requestPath)));
    if (parser.value(wait).toInt() <= 0)
        return 0;

    const QString resultFolder = parser.isSet(results) ? parser.value(results) : parser.value(folder);
    const QString result = waitForResult(resultFolder, request.pvsId, request.deviceId, parser.value(wait).toInt());
    if (result.isEmpty()) {
        say(QStringLiteral("No result came within %1 seconds").arg(parser.value(wait)));
        return 2;
    }
    QFile file(result);
    if (!file.open(QIODevice::ReadOnly)) {
        say(QStringLiteral("The result %1 can not be read: %2").arg(result, file.errorString()));
        return 1;
    }
    say(QStringLiteral("Result: %1").arg(QDir::toNativeSeparators(result)));
    for (const QString& line : practiceFieldsOf(file.readAll()))
        say(line);
    if (!parser.isSet(keep))
        file.remove();
    return 0;
}
