#pragma once
// Details that say which write they came from: every field of generation n
// is made from n (and from its own field), so a half-written set of
// details cannot pass for a whole one.
#include "data/RecordingDetails.h"

inline RecordingDetails detailsOfGeneration(int n)
{
    RecordingDetails d;
    const QString g = QString::number(n);
    d.patientNumber = g.right(kPatientNumberLength);
    d.surname = QStringLiteral("Surname ") + g;
    d.firstName = QStringLiteral("First ") + g;
    d.birthDate = QDate(1900, 1, 1).addDays(n % 40000);
    d.sex = PatientSex(n % 4);
    d.recordingStart = QDateTime(QDate(2000, 1, 1).addDays(n % 9000), QTime(n % 24, n % 60), Qt::UTC);
    d.bedtime = QTime(20 + n % 4, n % 60);
    d.wakeUp = QTime(5 + n % 4, n % 60);
    d.officeSys = 100 + n % 150;
    d.officeDia = 50 + n % 40;
    d.physician = QStringLiteral("Physician ") + g;
    d.indication = QStringLiteral("Indication ") + g;
    // Long texts spread a write over several pages of the file.
    d.medication = QString(3000 + n % 7, QChar(u'm')) + g;
    d.comment = QString(6000, QChar(u'c')) + g;
    return d;
}

// The generation the details came from; 0 for empty details, -1 for
// details that no single generation made.
inline int generationOf(const RecordingDetails& d)
{
    if (d.isEmpty())
        return 0;
    bool ok = false;
    const int n = d.firstName.mid(6).toInt(&ok);
    return ok && n > 0 && d == detailsOfGeneration(n) ? n : -1;
}
