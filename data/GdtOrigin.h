#pragma once
// A recording whose patient the practice system gave: the data file itself
// says so, in table ambpgdt beside ambpdata (Field, Value as text, the way
// the recording details are kept), so that its result goes back in any
// later run of the program. The table is made only when New fills a file's
// patient from a request; files of users who never use the link keep the
// template's tables. Each write is one transaction.
//
// It names the request the file answers (the patient number, the two GDT
// IDs, when New took it) and whether a result is due: due from New until a
// result was sent, and due again whenever readings are stored, since the
// result reflects the file's readings.
#include <QDateTime>
#include <QString>

#include <optional>

class Connection;

struct GdtOrigin {
    QString patientNumber; // 3000 of the request
    QString ownId;         // the ID the request was sent to (8315)
    QString pvsId;         // the practice system's (8316)
    QDateTime taken;       // when New took the request, UTC
    bool resultDue = true;
    QDateTime sent;        // the last result's moment, UTC; invalid: none yet
    QString sentAs;        // the last result's path

    bool operator==(const GdtOrigin&) const = default;
};

namespace GdtOriginStore {

inline constexpr const char* kTable = "ambpgdt";

// The file's origin; none when its patient did not come from the practice
// system (no table, or no patient number in it), and none with *error set
// when the table cannot be read. Reading never changes the file.
std::optional<GdtOrigin> read(const Connection& connection, QString* error = nullptr);
// False with *error when the write failed; the file then holds what it held.
bool write(Connection& connection, const GdtOrigin& origin, QString* error = nullptr);

// The same on the current data file.
std::optional<GdtOrigin> readCurrent(QString* error = nullptr);
bool writeCurrent(const GdtOrigin& origin, QString* error = nullptr);

} // namespace GdtOriginStore
