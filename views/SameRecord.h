#pragma once
// When a window moves from one record set of the data file to a newer one
// (another window opened its own cursor since), it goes on with the record
// it was on: the row with the same record number.
class Recordset;

// Moves `to` onto the row whose key equals the key of `from`'s current row.
// False (and `to` unmoved) when `from` has no current row or `to` lacks it.
bool moveToSameRecord(const Recordset& from, Recordset& to);
