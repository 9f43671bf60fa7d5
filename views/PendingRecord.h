#pragma once
// A record being added into which nothing was typed is no record: the data
// windows drop it instead of storing an empty row.
class Recordset;
class QString;

// A new record is pending and every field of it is still empty.
bool isBlankNewRecord(const Recordset& recordset);
// Drops such a record; true when there was one.
bool dropBlankNewRecord(Recordset& recordset);
// Saves the pending change of the current record, dropping a blank new one.
// False with the reason in *why when the change could not be written.
bool savePendingRecord(Recordset& recordset, QString* why);
