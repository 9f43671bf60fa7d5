#pragma once
// The WHO classification of every record and the statistic of the file:
// record count and, for systolic, diastolic, mean arterial pressure and
// pulse, the average, the mean absolute deviation, the maximum and the
// minimum.
//
// computeBpStatistics is the computation itself, a pure function over the
// four values of each record. UpdateBpStatistics runs it over gRecordset,
// publishes gBpStats and gBpClass, leaves the first record current and
// tells StateNotifier::statisticsChanged; the chart windows read the results.
//
// Any number of records is classified and counted. A record with an empty
// (or non-numeric) value is left out of that quantity only: its average and
// deviation divide by the number of values the quantity has. Maxima and
// minima are 64-bit, so no stored value overflows them.
#include "data/BpClassification.h"

#include <QString>

#include <optional>
#include <span>
#include <vector>

class Recordset;

struct BpStatistics {
    qint64 count = 0; // records visited in the last computation
    double sysAverage = 0, diaAverage = 0, mapAverage = 0, pulseAverage = 0;
    // Mean absolute deviation, sum |average - value| / n.
    double sysDeviation = 0, diaDeviation = 0, mapDeviation = 0, pulseDeviation = 0;
    // Largest value (starting from 0) and smallest (starting from 300),
    // rounded to whole numbers, halves to the even neighbour.
    qint64 sysMaximum = 0, diaMaximum = 0, mapMaximum = 0, pulseMaximum = 0;
    qint64 sysMinimum = 0, diaMinimum = 0, mapMinimum = 0, pulseMinimum = 0;
};

// The four measured values of one record; empty when missing or not a number.
struct BpSample {
    std::optional<double> sys, dia, map, pulse;
};

struct BpStatisticsResult {
    BpStatistics stats;
    std::vector<BpClass> classes; // class of the k-th record at index k - 1
};

// The statistic and classes of the records in their order. With no record
// the result has count 0 and no classes.
BpStatisticsResult computeBpStatistics(std::span<const BpSample> records);

// The four values of every record of the set, in its order. Empty with the
// reason in *error when a column is missing.
std::optional<std::vector<BpSample>> bpSamplesOf(const Recordset& records, QString* error);

// Class of record k (1-based, in the record set's order) at index k; index
// 0 is never used. Holds at least the entries 0..1000 and grows with the
// file; entries beyond the current count keep what an earlier run wrote.
extern std::vector<BpClass> gBpClass;
extern BpStatistics gBpStats;

// Recomputes gBpClass and gBpStats from gRecordset and leaves its first
// record current. An empty record set leaves the previous results in place.
// A pending change of the current record is saved first (as moving off it
// does). False with the reason in *error when the record set is not open or
// lacks a column; the previous results stay then.
bool UpdateBpStatistics(QString* error = nullptr);
// The same results, computed from the rows as they stand, while the cursor
// stays where it is and a pending change stays pending: for a reader that
// must not move the record the other windows show.
bool UpdateBpStatisticsInPlace(QString* error = nullptr);

// Class word of record position k in the current edition, empty when there
// is none.
QString bpClassAt(qint64 position);

// Back to the start values (tests run many starts in one process).
void resetBpStatistics();
