#pragma once
// Looks at a file before the program takes it as the current data file:
// is it there, is it a sound database, does it hold table ambpdata with the
// columns of this edition. The file is never created, and changed only as
// the database itself recovers it: a journal left by a crash is rolled
// back, which gives the file its last committed state.
#include "text/Edition.h"

#include <QString>

class Connection;

struct AmbFileStatus {
    enum Kind {
        Ok,
        Missing,      // no file at the path
        NotAFile,     // a folder or device
        NotADatabase, // some other kind of file (a text file, ...)
        Damaged,      // a database that fails its check
        NoTable,      // a database without table ambpdata (an empty file, ...)
        OtherEdition, // table ambpdata with the other edition's columns
        WrongColumns, // table ambpdata lacking columns of this edition
        InUse,        // another program or window holds a lock on it
        CannotRecover, // a crash left it unfinished, and it cannot be written to recover
        Unfinished,   // a journal beside it: being written elsewhere (looked at read-only)
        Unreadable,   // cannot be read (permissions, ...)
    };
    Kind kind = Ok;
    QString detail; // the database layer's words, for the curious

    bool ok() const { return kind == Ok; }
    // The reason in the current edition's words (message catalogue).
    QString reasonText() const;
};

namespace AmbFileCheck {

// Checks the file at path against the columns of an edition.
AmbFileStatus check(const QString& path, EditionId edition);
AmbFileStatus check(const QString& path);

// Why a connection failed to open, in the same terms.
AmbFileStatus fromConnection(const Connection& connection);
// Whether the file open on connection holds table ambpdata with the
// columns of the edition (reads only).
AmbFileStatus checkTable(const Connection& connection, EditionId edition);

} // namespace AmbFileCheck
