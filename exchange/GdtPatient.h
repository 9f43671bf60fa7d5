#pragma once
// The patient as GDT carries it (fields 3000, 3101, 3102, 3103, 3110).
#include <QDate>
#include <QString>

#include <optional>

enum class GdtSex { Unknown, Male, Female, Diverse, Indeterminate };

struct GdtPatient {
    QString number; // the practice system's patient number
    QString surname;
    QString firstName;
    QDate birthDate; // invalid when not given
    GdtSex sex = GdtSex::Unknown;

    bool operator==(const GdtPatient&) const = default;
};

// 3110 as GDT 2.1 writes it: "1" male, "2" female; empty for the others,
// which 2.1 cannot say.
QString gdtSexField(GdtSex sex);
// 3110 as 2.1 and 3.x send it: 1/M, 2/W/F, D, X, U; none when unreadable.
std::optional<GdtSex> gdtSexFromField(const QString& content);
