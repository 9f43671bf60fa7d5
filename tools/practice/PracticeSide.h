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

QByteArray practiceRequestFile(const PracticeRequest& request);

// One line per field: its line number, ID, name (when known) and content
// as the file's 9206 reads it; a line that is no field or whose length
// does not match is marked.
QStringList practiceFieldsOf(const QByteArray& result);
