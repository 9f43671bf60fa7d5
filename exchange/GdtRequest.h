#pragma once
// Reading a GDT request file (bytes in, request out). A request is a
// patient's master data (6301), a new examination of a patient (6302) or
// showing the stored examination of a patient (6311).
//
// Tolerant of what practice systems send: LF-only or CR-only lines, line
// lengths that do not match, unknown fields (skipped), the character set
// by 9206 (code page 437 when absent; UTF-8 after a byte-order mark), 3110
// as digits or letters, Ctrl-Z, NUL padding and blank lines after the
// record, a birth date with 00 for an unknown day or month (taken without
// a date). Of two records in one file the first is read and where the rest
// starts is told; no field of the second is ever taken. Refused,
// with the number of the line that was wrong (0: the file as a whole):
// a file that is not GDT, a record type other than the three, no patient
// number, a needed field that is unclear (a birth date that is no date, a
// sex it cannot read, a field given twice with different contents, an
// unknown character set).
#include "exchange/GdtCharset.h"
#include "exchange/GdtPatient.h"

#include <QByteArrayView>
#include <QString>

#include <variant>

enum class GdtRequestKind { MasterData = 6301, NewExamination = 6302, ShowExamination = 6311 };

struct GdtRequest {
    GdtRequestKind kind = GdtRequestKind::NewExamination;
    GdtPatient patient;
    QString receiverId; // 8315, as sent
    QString senderId;   // 8316
    GdtCharset charset = GdtCharset::Cp437;
    int restFromLine = 0; // where a second record starts, left unread (0: none)
};

struct GdtReadError {
    int line = 0;   // 0: the file as a whole
    QString reason; // in the current edition
};

std::variant<GdtRequest, GdtReadError> readGdtRequest(QByteArrayView file);
