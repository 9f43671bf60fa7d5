#pragma once
// Storing the records of a reading run in the data file: the range test,
// the date rule, the duplicate test, the mean arterial pressure and the
// requery with the Records panel. A record's year comes from the save date
// alone, whatever the file says of its recording; storing writes nothing
// but the readings, and never changes a stored reading's date.
#include "comm/BpRecord.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <memory>
#include <optional>

class Recordset;

// The date of a record's month and day, saved on saveDate. The recorder
// sends no year: the record is of the latest date with that month and day
// not later than the day after the save date (the recorder's clock may run
// a day ahead), so a recording of 31 December saved on 2 January is of the
// year before, and one of 1 January saved on 31 December of the year after.
// None when the month and day are out of range, or no such date lies in
// the year up to that day (31 April; 29 February when the last one is
// longer ago: a recorder holds no reading that old).
std::optional<QDate> recordDate(int month, int day, const QDate& saveDate);
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

    bool ok() const { return error.isEmpty(); }
};

// Adds the records to the record set, the last received first, skipping
// records out of range and records equal (systolic, diastolic, pulse, date,
// time) to a row of the set or to a record added before in this call.
// Stops at the first failing write; the rows written before it stay. Dates
// follow recordDate.
StoreOutcome storeRecords(const QList<BpRecord>& records, Recordset& target, const QDate& saveDate);

// The reading window's SaveRecords: stores the records in the current data
// file with the save date of the clock, in one transaction; requeries and
// sets gRecordCount and the Records panel. When a row fails, the rows before
// it stay stored and the outcome names the failure; the caller keeps the
// records and says so.
StoreOutcome SaveRecords(const QList<BpRecord>& records);
