#include "platform/IniText.h"

#include <QStringDecoder>

#include <vector>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QByteArrayView trimmedBlanks(QByteArrayView bytes)
{
    while (!bytes.isEmpty() && isBlank(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isBlank(bytes.back()))
        bytes.chop(1);
    return bytes;
}

QString decodeText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The value that the bytes after "=" stand for.
QString valueText(QByteArrayView raw)
{
    if (raw.size() >= 2 && raw.front() == '"') {
        QByteArray inner;
        for (qsizetype i = 1; i < raw.size(); ++i) {
            const char c = raw[i];
            if (c == '\\' && i + 1 < raw.size() && (raw[i + 1] == '"' || raw[i + 1] == '\\')) {
                inner += raw[++i];
            } else if (c == '"') {
                if (i == raw.size() - 1)
                    return decodeText(inner);
                break; // text after the closing quote: not a quoted value
            } else {
                inner += c;
            }
        }
    }
    return decodeText(raw);
}

QByteArray encodedValue(const QString& value)
{
    const bool quoted = !value.isEmpty()
        && (isBlank(value.front()) || isBlank(value.back()) || value.front() == QLatin1Char('"'));
    if (!quoted)
        return value.toUtf8();
    QByteArray out = "\"";
    for (char c : value.toUtf8()) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

struct IniLine {
    enum Kind { Other, Section, Entry };
    Kind kind = Other;
    qsizetype begin = 0; // first byte of the line
    qsizetype end = 0;   // past its last byte before the line break
    qsizetype lineBreak = 0; // its '\n', or the file's size when it has none
    QString name;        // of the section or the key
    QByteArrayView value;
};

std::vector<IniLine> scanLines(const QByteArray& file)
{
    std::vector<IniLine> lines;
    qsizetype begin = file.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (begin < file.size()) {
        qsizetype next = file.indexOf('\n', begin);
        if (next < 0)
            next = file.size();
        IniLine line;
        line.begin = begin;
        line.end = next;
        line.lineBreak = next;
        if (line.end > begin && file[line.end - 1] == '\r')
            --line.end;
        const QByteArrayView text = trimmedBlanks(QByteArrayView(file).sliced(begin, line.end - begin));
        if (text.startsWith('[') && text.endsWith(']') && text.size() >= 2) {
            line.kind = IniLine::Section;
            line.name = decodeText(trimmedBlanks(text.sliced(1, text.size() - 2)));
        } else if (!text.startsWith(';') && !text.startsWith('#')) {
            const qsizetype equals = text.indexOf('=');
            if (equals > 0) {
                line.name = decodeText(trimmedBlanks(text.first(equals)));
                line.value = trimmedBlanks(text.sliced(equals + 1));
                line.kind = line.name.isEmpty() ? IniLine::Other : IniLine::Entry;
            }
        }
        lines.push_back(line);
        begin = next + 1;
    }
    return lines;
}

} // namespace

std::optional<QString> iniValue(const QByteArray& file, const QString& section, const QString& key)
{
    bool inSection = false;
    for (const IniLine& line : scanLines(file)) {
        if (line.kind == IniLine::Section)
            inSection = line.name == section;
        else if (inSection && line.kind == IniLine::Entry && line.name == key)
            return valueText(line.value);
    }
    return std::nullopt;
}

bool iniValueWritable(const QString& value)
{
    return !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')) && value.isValidUtf16();
}

QByteArray iniWithValue(const QByteArray& file, const QString& section, const QString& key,
                        const QString& value)
{
    const QByteArray entry = key.toUtf8() + '=' + encodedValue(value);
    const QByteArray newline = file.contains("\r\n") ? "\r\n" : "\n";
    bool inSection = false;
    // The line after which a new entry goes: the last entry of the section,
    // or its head. The entry goes after that line's whole line break, so the
    // line itself keeps every byte it had.
    qsizetype after = -1;
    for (const IniLine& line : scanLines(file)) {
        if (line.kind == IniLine::Section) {
            inSection = line.name == section;
            if (inSection && after < 0)
                after = line.lineBreak;
        } else if (inSection && line.kind == IniLine::Entry) {
            if (line.name == key)
                return QByteArray(file).replace(line.begin, line.end - line.begin, entry);
            after = line.lineBreak;
        }
    }
    // A carriage return that ends the file is the first half of its line
    // break: completing it keeps that line as it read.
    if (after >= file.size())
        return file + (file.endsWith('\r') ? QByteArray("\n") : newline) + entry;
    if (after >= 0)
        return QByteArray(file).insert(after + 1, entry + newline);

    QByteArray out = file;
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += newline;
    if (!out.isEmpty())
        out += newline;
    return out + '[' + section.toUtf8() + ']' + newline + entry + newline;
}
