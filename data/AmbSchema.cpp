#include "data/AmbSchema.h"

#include "platform/SqliteFile.h"

#include <QFile>
#include <QFileInfo>

namespace AmbSchema {

namespace {

struct ColumnDef {
    const char* english;
    const char* german;
    const char* type;
};

// MAP_mmHg is a double so that (SYS + 2 x DIA) / 3 keeps its fraction.
// Whole-number columns are SMALLINT (16-bit) as the recorder's values are.
const ColumnDef kColumns[] = {
    {"ID", "Nr_", "INTEGER PRIMARY KEY AUTOINCREMENT"},
    {"Date", "Datum", "DATE"},
    {"Time", "Uhrzeit", "TIME"},
    {"SYS_mmHg", "SYS_mmHg", "SMALLINT"},
    {"DIA_mmHg", "DIA_mmHg", "SMALLINT"},
    {"MAP_mmHg", "MAP_mmHg", "DOUBLE"},
    {"Pulse_min", "Puls_min", "SMALLINT"},
    {"ST_mm", "ST_mm", "DOUBLE"},
    {"QRS_ms", "QRS_ms", "SMALLINT"},
    {"Mark", "Mark", "BOOLEAN NOT NULL DEFAULT 0"},
};

QString nameOf(const ColumnDef& c, EditionId edition)
{
    return QString::fromLatin1(edition == EditionId::German ? c.german : c.english);
}

} // namespace

QStringList columns(EditionId edition)
{
    QStringList names;
    for (const ColumnDef& c : kColumns)
        names << nameOf(c, edition);
    return names;
}

QStringList recordColumns(EditionId edition)
{
    return columns(edition).mid(0, 7);
}

QString createTableSql(EditionId edition)
{
    QStringList defs;
    for (const ColumnDef& c : kColumns)
        defs << nameOf(c, edition) + QLatin1Char(' ') + QLatin1String(c.type);
    return QStringLiteral("create table %1 (%2)").arg(QLatin1String(kTable), defs.join(QStringLiteral(", ")));
}

QString recordQuery(EditionId edition)
{
    return edition == EditionId::German
        ? QStringLiteral("select Nr_,Datum,Uhrzeit,SYS_mmHg,DIA_mmHg,MAP_mmHg,Puls_min from ambpdata")
        : QStringLiteral("select ID,Date,Time,SYS_mmHg,DIA_mmHg,MAP_mmHg,Pulse_min from ambpdata");
}

QString recordQuery()
{
    return recordQuery(Edition::current().id());
}

bool createDataFile(const QString& path, EditionId edition, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (QFileInfo::exists(path))
        return fail(QStringLiteral("%1 exists already").arg(path));
    QString why;
    {
        SqliteFile db;
        if (!db.open(path, SqliteFile::Mode::Create)) {
            why = db.lastError().text;
        } else {
            const QStringList steps = {
                QStringLiteral("PRAGMA journal_mode=DELETE"),
                QStringLiteral("PRAGMA synchronous=FULL"),
                QStringLiteral("BEGIN IMMEDIATE"),
                createTableSql(edition),
                QStringLiteral("COMMIT"),
            };
            for (const QString& step : steps) {
                if (!db.exec(step)) {
                    why = db.lastError().text;
                    break;
                }
            }
        }
    }
    if (!why.isEmpty()) {
        QFile::remove(path);
        return fail(why);
    }
    return true;
}

} // namespace AmbSchema
