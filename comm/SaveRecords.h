#pragma once
// Storing the records of a reading run in the data file: the range test,
// the date rule, the duplicate test, the mean arterial pressure and the
// requery with the Records panel. When the file knows its recording's
// start, a record's year comes from the start; otherwise from the save
// date, and the first run stored sets the start from its earliest record.
#include "comm/BpRecord.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTime>

#include <memory>
#include <optional>

class Recordset;

// The date of a record's month and day, saved on saveDate. The recorder
// sends no year: the record belongs to the save date's year, unless its
// month and day lie more than one day after the save date (a recording of
// 31 December saved on 2 January), which puts it in the year before. None
// when the month and day are out of range or do not exist in that year
// (31 April, 29 February outside a leap year).
std::optional<QDate> recordDate(int month, int day, const QDate& saveDate);
// The date of a record's month and day in a recording that started on
// startDate: the first date with that month and day on or after the day
// before the start (a recorder's clock may run a little behind the one
// the start was read from), so a recording across New Year is in order
// whenever it is stored. None when the month and day are out of range or
// do not exist within a year of the start (29 February).
std::optional<QDate> recordDateFromStart(int month, int day, const QDate& startDate);
// hour:minute with 0 seconds; none when out of range.
std::optional<QTime> recordTime(int hour, int minute);

// (SYS + 2 x DIA) / 3 in double precision.
inline double meanArterialPressure(int systolic, int diastolic)
{
    return (systolic + 2.0 * diastolic) / 3.0;
}

struct StoreOutcome {
    int added = 0;
    int outOfRange = 0;
    int duplicates = 0;
    QString error; // the platform's description of the write that failed
    bool fileUnavailable = false; // the data file could not be opened (and said so)
    QDateTime earliest; // the earliest record added (invalid when none was)

    bool ok() const { return error.isEmpty(); }
};

// Adds the records to the record set, the last received first, skipping
// records out of range and records equal (systolic, diastolic, pulse, date,
// time) to a row of the set or to a record added before in this call.
// Stops at the first failing write; the rows written before it stay. With
// a recording start, dates follow recordDateFromStart, otherwise recordDate.
StoreOutcome storeRecords(const QList<BpRecord>& records, Recordset& target,
                          const QDate& saveDate, const QDate& recordingStart = QDate());

// The reading window's SaveRecords: stores the records in the current data
// file with the save date of the clock (or the file's recording start), in
// one transaction; sets a missing recording start from the earliest record
// stored (its own transaction after); requeries and
// sets gRecordCount and the Records panel. When a row fails, the rows before
// it stay stored and the outcome names the failure; the caller keeps the
// records and says so.
StoreOutcome SaveRecords(const QList<BpRecord>& records);
