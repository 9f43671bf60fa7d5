#pragma once
// The practice system's side of the GDT link, for service staff, the demo
// and the tests: the request it writes for a patient and the result it
// gets back, shown field by field.
#include "exchange/GdtPatient.h"
#include "exchange/GdtRequest.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

struct PracticeRequest {
    GdtRequestKind kind = GdtRequestKind::NewExamination;
    GdtPatient patient;
    QString pvsId = QStringLiteral("PRAX");
    QString deviceId = QStringLiteral("KORV");
    GdtCharset charset = GdtCharset::Cp437;
};

// How practice systems in the field write a request: whole (under another
// name, then renamed), slowly in place (in pieces, seconds apart, as over
// a network share), as a DOS program (code page 437, Ctrl-Z after the
// record) or in German 7-bit (9206 = 1, umlauts in the DIN 66003 places:
// "M}ller").
enum class PracticeWriter { Whole, Slow, Dos, SevenBit };

// The request's bytes as the writer writes them; Whole and Slow in the
// request's character set, Dos and SevenBit in theirs.
QByteArray practiceRequestFile(const PracticeRequest& request, PracticeWriter writer = PracticeWriter::Whole);
// The pieces a slow writer writes one after the other: count pieces of
// nearly equal size, cut anywhere (mostly inside a line).
QList<QByteArray> practicePieces(const QByteArray& file, int count);

// One line per field: its line number, ID, name (when known) and content
// as the file's 9206 reads it; a line that is no field or whose length
// does not match is marked.
QStringList practiceFieldsOf(const QByteArray& result);
