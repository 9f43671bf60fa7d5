#pragma once
// Whether what the recordings list and the comparison page show of each
// file of a folder equals the file's own ABPM summary: the file opened as
// the current file, read as its summary window reads it, its figures
// written as the summary writes them. A damaged or foreign file must be
// listed as unreadable. Gives one line per disagreement.
#include <QStringList>

class RecordingsModel;
struct RecordingsFolder;

QStringList listDisagreements(const RecordingsModel& model, const RecordingsFolder& folder);
// The readable files of each patient compared in groups of two to four.
QStringList comparisonDisagreements(const RecordingsModel& model, const RecordingsFolder& folder);
