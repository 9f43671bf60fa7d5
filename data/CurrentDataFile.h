#pragma once
// The one way to the records of the current data file (gDataFile): the
// record cursor, the file commands and storing received readings all open
// it here.
#include <QString>

#include <memory>

class Recordset;

namespace CurrentDataFile {

// Opens gDataFile afresh: a new gConnection and gRecordset on it, the
// statistic, the record count in the Records panel, and
// StateNotifier::recordsetOpened. When it cannot be opened it says why,
// closes the connection and moves to the state No file (gFileReady false);
// the file is left as it is. False then.
bool open();

// gRecordset when it is open on gDataFile, otherwise gDataFile opened
// afresh. Null when there is no file or it cannot be opened (said so).
std::shared_ptr<Recordset> records();

} // namespace CurrentDataFile
