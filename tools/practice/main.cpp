// korvane-practice: plays the practice system of the GDT link. It writes a
// request for the patient it is given into the device's request folder,
// waits for the result in the result folder, shows it field by field and
// takes it (deletes it), as a practice system does.
//
//   korvane-practice --folder DIR [--results DIR] --patient NUMBER
//       [--surname S] [--first F] [--born DDMMYYYY] [--sex 1|2]
//       [--type 6301|6302|6311] [--charset 1|2|3] [--pvs PRAX] [--device KORV]
//       [--writer whole|slow|dos|7bit] [--seconds N]
//       [--wait SECONDS] [--keep]
//
// --writer plays how practice systems write: whole (renamed into place),
// slow (in place, in pieces over --seconds), dos (code page 437 and Ctrl-Z
// after the record), 7bit (German 7-bit: "M}ller").
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
#include <optional>

namespace {

void say(const QString& text)
{
    std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

std::optional<PracticeWriter> writerNamed(const QString& name)
{
    if (name == u"whole")
        return PracticeWriter::Whole;
    if (name == u"slow")
        return PracticeWriter::Slow;
    if (name == u"dos")
        return PracticeWriter::Dos;
    if (name == u"7bit")
        return PracticeWriter::SevenBit;
    return std::nullopt;
}

// A slow writer: the request's own name from the first piece on, the
// pieces seconds apart.
bool writeSlowly(const QString& path, const QByteArray& bytes, int seconds, QString* why)
{
    constexpr int kPieces = 6;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        *why = file.errorString();
        return false;
    }
    const QList<QByteArray> pieces = practicePieces(bytes, kPieces);
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            QThread::msleep(ulong(seconds) * 1000 / ulong(pieces.size() - 1));
        if (file.write(pieces[i]) != pieces[i].size() || !file.flush()) {
            *why = file.errorString();
            return false;
        }
        say(QStringLiteral("  piece %1 of %2: %3 bytes").arg(i + 1).arg(pieces.size()).arg(pieces[i].size()));
    }
    return true;
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
    const auto writer = option("writer", "how the request is written: whole, slow, dos or 7bit", "whole");
    const auto seconds = option("seconds", "how long a slow writer takes", "8");
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
    const std::optional<PracticeWriter> how = writerNamed(parser.value(writer));
    if (parser.value(folder).isEmpty() || request.patient.number.isEmpty() || !how) {
        say(QStringLiteral("--folder and --patient are needed, --writer is whole, slow, dos or 7bit (see --help)"));
        return 1;
    }
    const QString requestPath = GdtFolder::nextResultPath(parser.value(folder), request.deviceId, request.pvsId);
    const QByteArray bytes = practiceRequestFile(request, *how);
    QString why;
    const bool written = requestPath.isEmpty() ? false
        : *how == PracticeWriter::Slow         ? writeSlowly(requestPath, bytes, parser.value(seconds).toInt(), &why)
                                               : GdtFolder::writeWhole(requestPath, bytes, &why);
    if (!written) {
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
