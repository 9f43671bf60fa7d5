#include "data/AmbSchema.h"

#include "platform/SqliteFile.h"

#include <QFile>
#include <QFileInfo>

namespace AmbSchema {

namespace {

// A column's name is shared by both editions, or the edition names it.
struct ColumnDef {
    const char* name;
    QString (Edition::*editionName)() const;
    const char* type;
};

// In the order of Column and of the table. MAP_mmHg is a double so that
// (SYS + 2 x DIA) / 3 keeps its fraction. Whole-number columns are SMALLINT
// (16-bit) as the recorder's values are.
const ColumnDef kColumns[] = {
    {nullptr, &Edition::colId, "INTEGER PRIMARY KEY AUTOINCREMENT"},
    {nullptr, &Edition::colDate, "DATE"},
    {nullptr, &Edition::colTime, "TIME"},
    {"SYS_mmHg", nullptr, "SMALLINT"},
    {"DIA_mmHg", nullptr, "SMALLINT"},
    {"MAP_mmHg", nullptr, "DOUBLE"},
    {nullptr, &Edition::colPulse, "SMALLINT"},
    {"ST_mm", nullptr, "DOUBLE"},
    {"QRS_ms", nullptr, "SMALLINT"},
    {"Mark", nullptr, "BOOLEAN NOT NULL DEFAULT 0"},
};

QString nameOf(const ColumnDef& c, EditionId edition)
{
    return c.editionName ? (Edition::of(edition).*c.editionName)() : QString::fromLatin1(c.name);
}

} // namespace

QString column(Column c, EditionId edition)
{
    return nameOf(kColumns[int(c)], edition);
}

QString column(Column c)
{
    return column(c, Edition::current().id());
}

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
    return QStringLiteral("select %1 from %2").arg(recordColumns(edition).join(QLatin1Char(',')), QLatin1String(kTable));
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
