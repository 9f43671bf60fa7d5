#include "data/AmbSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

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

QString chartQuery(EditionId edition)
{
    return edition == EditionId::German
        ? QStringLiteral("SHAPE {select SYS_mmHg,DIA_mmHg,MAP_mmHg,Puls_min,Nr_ from ambpdata} AS "
                         "ChildCommand COMPUTE ChildCommand, MAX(ChildCommand.[SYS_mmHg]) AS "
                         "[SYS_mmHg] BY [Nr_],[DIA_mmHg],[MAP_mmHg],[Puls_min]")
        : QStringLiteral("SHAPE {select SYS_mmHg,DIA_mmHg,MAP_mmHg,Pulse_min,ID from ambpdata} AS "
                         "ChildCommand COMPUTE ChildCommand, MAX(ChildCommand.[SYS_mmHg]) AS "
                         "[SYS_mmHg] BY [ID],[DIA_mmHg],[MAP_mmHg],[Pulse_min]");
}

QString chartQuery()
{
    return chartQuery(Edition::current().id());
}

QString recordConnectionText(const QString& path)
{
    return QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.3.51;Data Source=") + path + QLatin1Char(';');
}

QString chartConnectionText(const QString& path)
{
    return QStringLiteral("PROVIDER=MSDataShape;Data Source=") + path
        + QStringLiteral(";Data Provider=Microsoft.Jet.OLEDB.3.51");
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
    static int counter = 0;
    const QString name = QStringLiteral("korvane-schema-%1").arg(++counter);
    QString why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            why = db.lastError().text();
        } else {
            QSqlQuery q(db);
            const QStringList steps = {
                QStringLiteral("PRAGMA journal_mode=DELETE"),
                QStringLiteral("PRAGMA synchronous=FULL"),
                QStringLiteral("BEGIN IMMEDIATE"),
                createTableSql(edition),
                QStringLiteral("COMMIT"),
            };
            for (const QString& step : steps) {
                if (!q.exec(step)) {
                    why = q.lastError().text();
                    break;
                }
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!why.isEmpty()) {
        QFile::remove(path);
        return fail(why);
    }
    return true;
}

} // namespace AmbSchema
