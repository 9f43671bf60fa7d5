#pragma once
// Writing a GDT result (6310) from plain values (values in, bytes out).
//
// The fields, in this order: 8000 6310, 8100, 8315, 8316, 9206, 9218
// 02.10; the patient's 3000, 3101, 3102, 3103, 3110 (a field without a
// value is left out); 8402; 6200 and 6201; each test block (8410, 8411,
// 8420, 8421 when it has a unit); the 6220 findings lines; the 6228 table
// lines; the attachment block (6302, 6303, 6304, 6305) when there is one;
// 8990 when there is a signature.
//
// Every content is written in the chosen character set (GdtCharset.h
// replaces what the set cannot hold) and line breaks inside a value become
// blanks. A findings, comment or table text (6220, 6227, 6228) longer than
// a line can hold (990 bytes) goes on in further lines of the same field,
// broken after a blank where one is near; any other content (names,
// numbers, never that long) is cut there. Each line's length and 8100
// count the bytes as written.
#include "exchange/GdtCharset.h"
#include "exchange/GdtPatient.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

struct GdtTest {
    QString ident; // 8410
    QString name;  // 8411
    QString value; // 8420, as it is to stand
    QString unit;  // 8421; empty: no unit line
};

struct GdtAttachment {
    QString archiveId;   // 6302
    QString format;      // 6303
    QString description; // 6304
    QString path;        // 6305
};

struct GdtResult {
    QString receiverId; // 8315, the practice system
    QString senderId;   // 8316, this program
    GdtCharset charset = GdtCharset::Cp437;
    GdtPatient patient;
    QString procedure;   // 8402
    QDateTime examined;  // 6200 and 6201; invalid: left out
    std::vector<GdtTest> tests;
    QStringList findings; // 6220, one line each
    QStringList table;    // 6228, one line each
    std::optional<GdtAttachment> attachment;
    QString signature; // 8990; empty: left out
};

inline constexpr int kGdtMaxContent = 990;

QByteArray writeGdtResult(const GdtResult& result);

// Any record: 8000 with the type, 8100, then the fields in their order,
// written as above (the practice system's side of the tests and tools
// writes its requests with it).
using GdtFields = std::vector<std::pair<int, QString>>;
QByteArray gdtRecord(const QString& recordType, const GdtFields& fields, GdtCharset charset);

// One field line: length, ID, content, CR LF.
QByteArray gdtFieldLine(int fieldId, const QByteArray& content);
