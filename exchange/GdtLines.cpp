#include "exchange/GdtLines.h"

#include <algorithm>
#include <set>

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

// Blanks, NULs and Ctrl-Z fill lines but say nothing.
bool isFiller(char c)
{
    return c == ' ' || c == '\t' || c == '\0' || c == '\x1a';
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

constexpr QByteArrayView kUtf8Mark = "\xef\xbb\xbf";

} // namespace

bool gdtHasUtf8Mark(QByteArrayView file)
{
    return file.startsWith(kUtf8Mark);
}

std::vector<GdtLine> gdtLines(QByteArrayView file)
{
    std::vector<GdtLine> lines;
    qsizetype start = gdtHasUtf8Mark(file) ? kUtf8Mark.size() : 0;
    // The DOS end of file and padding after the last line are no content.
    qsizetype size = file.size();
    while (size > start && (file[size - 1] == '\x1a' || file[size - 1] == '\0'))
        --size;
    int number = 0;
    while (start < size) {
        qsizetype end = start;
        while (end < size && file[end] != '\n' && file[end] != '\r')
            ++end;
        ++number;
        const QByteArrayView text = file.sliced(start, end - start);
        const bool blank = std::all_of(text.begin(), text.end(), isFiller);
        // CR LF is one line break.
        qsizetype next = end;
        if (next < size && file[next] == '\r' && next + 1 < size && file[next + 1] == '\n')
            ++next;
        next = std::min(next + 1, size);
        if (!blank) {
            GdtLine line = parsedLine(text, number);
            line.start = start;
            line.end = next;
            lines.push_back(std::move(line));
        }
        start = next;
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

bool gdtFileComplete(QByteArrayView file)
{
    const std::vector<GdtLine> lines = gdtLines(file);
    if (lines.empty())
        return false;
    if (lines.front().fieldId != 8000)
        return true;
    if (!lines.back().isField() || !lines.back().lengthAgrees())
        return false;
    for (size_t first = 0; first < lines.size();) {
        size_t next = first + 1;
        while (next < lines.size() && lines[next].fieldId != 8000)
            ++next;
        const bool last = next == lines.size();
        const qsizetype start = lines[first].start;
        const qsizetype end = last ? lines.back().end : lines[next].start;
        // What a writer may have counted: the record's bytes, its lines
        // with CR LF, the marks before the first or after the last.
        std::set<qint64> counts = {end - start};
        qint64 withCrLf = 0;
        for (size_t i = first; i < next; ++i)
            withCrLf += lines[i].length;
        counts.insert(withCrLf);
        if (first == 0)
            counts.insert(end);
        if (last)
            counts.insert(file.size() - start);
        qint64 declared = -1;
        for (size_t i = first; i < next && declared < 0; ++i)
            if (lines[i].fieldId == 8100)
                declared = digitsValue(lines[i].content.trimmed());
        if (declared < 0 || !counts.contains(declared))
            return false;
        first = next;
    }
    return true;
}
