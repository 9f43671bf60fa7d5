#pragma once
// A practice's folder of generated recordings for the recordings benchmarks:
// n files of 300 readings in subfolders of 500, of patients who each have
// several, one patient with 40. They differ as a practice's do: the
// interval, the time of day they start, artefacts, diary times, office
// pressure, readings set aside, a kept conclusion, a result sent to the
// practice system, files without any details. One file in twenty is
// damaged or foreign as the damaged-file tests make them: cut short, pages
// overwritten, a text file, the other edition's, a database without the
// table. Each folder is made once per run.
#include <QSet>
#include <QString>

inline constexpr int kPatientRecordings = 40;

struct RecordingsFolder {
    QString path;
    QString newestOfPatient0; // patient number P0000
    QSet<QString> damaged;    // the files that cannot be read
};

const RecordingsFolder& recordingsFolderOf(int n);
