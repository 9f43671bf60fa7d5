#pragma once
// The files of the link in the shell tests: a request as the practice
// system writes it, and, read beside the program, a result's fields and
// test values and what a data file says about its origin.
#include "data/GdtOrigin.h"
#include "exchange/GdtLines.h"
#include "platform/Connection.h"
#include "tools/practice/PracticeSide.h"

#include <QFile>
#include <QHash>
#include <QString>

#include <optional>

namespace apptest {

// A request for Anna <surname>, born 3 April 1956.
inline QByteArray request(GdtRequestKind kind, const char* number, const char* surname)
{
    PracticeRequest r;
    r.kind = kind;
    r.patient.number = QString::fromLatin1(number);
    r.patient.surname = QString::fromUtf8(surname);
    r.patient.firstName = QStringLiteral("Anna");
    r.patient.birthDate = QDate(1956, 4, 3);
    r.patient.sex = GdtSex::Female;
    return practiceRequestFile(r);
}

// The first value of each field of a result.
inline QHash<int, QString> fieldsOf(const QString& path)
{
    QFile file(path);
    QHash<int, QString> fields;
    if (file.open(QIODevice::ReadOnly))
        for (const GdtLine& line : gdtLines(file.readAll()))
            if (!fields.contains(line.fieldId))
                fields.insert(line.fieldId, gdtDecode(line.content, GdtCharset::Cp437));
    return fields;
}

// Test values by their idents.
inline QHash<QString, QString> testValues(const QString& path)
{
    QFile file(path);
    QHash<QString, QString> values;
    QString ident;
    if (file.open(QIODevice::ReadOnly))
        for (const GdtLine& line : gdtLines(file.readAll())) {
            if (line.fieldId == 8410)
                ident = QString::fromLatin1(line.content);
            else if (line.fieldId == 8420)
                values.insert(ident, QString::fromLatin1(line.content));
        }
    return values;
}

// What the data file at path says about its origin.
inline std::optional<GdtOrigin> originOf(const QString& path)
{
    Connection connection;
    if (!connection.openFile(path))
        return std::nullopt;
    return GdtOriginStore::read(connection);
}

} // namespace apptest
