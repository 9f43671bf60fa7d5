#include "exchange/GdtLines.h"

namespace {

int digitsValue(QByteArrayView bytes)
{
    int value = 0;
    for (char c : bytes) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

GdtLine parsedLine(QByteArrayView text, int number)
{
    GdtLine line;
    line.number = number;
    line.length = int(text.size()) + 2;
    if (text.size() >= 3)
        line.declaredLength = digitsValue(text.first(3));
    if (line.declaredLength >= 0 && text.size() >= 7)
        line.fieldId = digitsValue(text.sliced(3, 4));
    if (line.isField())
        line.content = text.sliced(7).toByteArray();
    return line;
}

} // namespace

std::vector<GdtLine> gdtLines(QByteArrayView file)
{
    std::vector<GdtLine> lines;
    qsizetype start = 0;
    int number = 0;
    while (start < file.size()) {
        qsizetype end = start;
        while (end < file.size() && file[end] != '\n' && file[end] != '\r')
            ++end;
        ++number;
        if (end > start)
            lines.push_back(parsedLine(file.sliced(start, end - start), number));
        // CR LF is one line break.
        if (end < file.size() && file[end] == '\r' && end + 1 < file.size() && file[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

qint64 gdtDeclaredFileLength(QByteArrayView file)
{
    for (const GdtLine& line : gdtLines(file)) {
        if (line.fieldId == 8100) {
            const int value = digitsValue(line.content.trimmed());
            return line.content.trimmed().isEmpty() ? -1 : value;
        }
    }
    return -1;
}
