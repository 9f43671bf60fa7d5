#pragma once
// The recording details in the data file: table ambpdetails beside
// ambpdata, one row per given field (Field, Value as text), made by the
// first write. A file without the table has empty details and is never
// changed by reading. Each write replaces every field the program knows
// in one transaction, so a crash leaves the old or the new details; rows
// of fields it does not know (a later version's) stay.
#include "data/RecordingDetails.h"

#include <optional>

class Connection;

namespace RecordingDetailsStore {

inline constexpr const char* kTable = "ambpdetails";

// The details of the file open on connection; none with *error set when
// the table cannot be read. A value that does not read as its field's
// kind counts as not given.
std::optional<RecordingDetails> read(const Connection& connection, QString* error = nullptr);
// False with *error (SQLite's words) when the write failed; the file then
// holds the details it held before.
bool write(Connection& connection, const RecordingDetails& details, QString* error = nullptr);

// The same on the current data file (gDataFile, opened through
// CurrentDataFile when needed; that says why it cannot be opened).
std::optional<RecordingDetails> readCurrent(QString* error = nullptr);
bool writeCurrent(const RecordingDetails& details, QString* error = nullptr);

} // namespace RecordingDetailsStore
