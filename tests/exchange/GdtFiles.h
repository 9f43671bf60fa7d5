#pragma once
// GDT files for the tests, written from field tables: each field as the
// format counts it (3 digits length, 4 digits ID, content, CR LF), with
// ways to break it as the field breaks files (LF-only, wrong lengths).
#include <QByteArray>

#include <utility>
#include <vector>

namespace gdttest {

using Fields = std::vector<std::pair<int, QByteArray>>;

inline QByteArray fieldLine(int id, const QByteArray& content, const char* ending = "\r\n")
{
    const int length = 3 + 4 + int(content.size()) + 2;
    return QByteArray::number(length).rightJustified(3, '0') + QByteArray::number(id).rightJustified(4, '0') + content
        + ending;
}

// The fields in order, with a correct 8100 after the first line.
inline QByteArray gdtFile(const Fields& fields, const char* ending = "\r\n")
{
    QByteArray first = fieldLine(fields.front().first, fields.front().second, ending);
    QByteArray rest;
    for (size_t i = 1; i < fields.size(); ++i)
        rest += fieldLine(fields[i].first, fields[i].second, ending);
    const qint64 whole = first.size() + 12 + qint64(qstrlen(ending)) + rest.size();
    return first + fieldLine(8100, QByteArray::number(whole).rightJustified(5, '0'), ending) + rest;
}

// A 6302 of a patient as the practice system writes it.
inline Fields request6302(const QByteArray& surname, const QByteArray& charset = "2")
{
    return {{8000, "6302"}, {8315, "KORV"}, {8316, "PRAX"}, {9206, charset}, {9218, "02.10"},
            {3000, "4711"}, {3101, surname}, {3102, "Anna"}, {3103, "03041956"}, {3110, "2"}};
}

} // namespace gdttest
