#include "platform/SqliteRowReader.h"

#include <QDate>
#include <QSqlDriver>

#include <sqlite3.h>

#include <functional>

namespace {

int digits2(const unsigned char* p)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return -1;
    return (p[0] - '0') * 10 + (p[1] - '0');
}

// yyyy-MM-dd, the stored form of a date.
bool storedDate(const unsigned char* t, int n, qint64* julian)
{
    if (n != 10 || t[4] != '-' || t[7] != '-')
        return false;
    const int hi = digits2(t), lo = digits2(t + 2), m = digits2(t + 5), d = digits2(t + 8);
    if (hi < 0 || lo < 0 || m < 0 || d < 0)
        return false;
    const QDate date(hi * 100 + lo, m, d);
    if (!date.isValid())
        return false;
    *julian = date.toJulianDay();
    return true;
}

// HH:mm:ss (or HH:mm), the stored form of a time of day.
bool storedTime(const unsigned char* t, int n, qint64* msecs)
{
    if ((n != 8 && n != 5) || t[2] != ':' || (n == 8 && t[5] != ':'))
        return false;
    const int h = digits2(t), m = digits2(t + 3), s = n == 8 ? digits2(t + 6) : 0;
    if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59)
        return false;
    *msecs = ((h * 60 + m) * 60 + s) * 1000;
    return true;
}

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant v = db.driver() ? db.driver()->handle() : QVariant();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

} // namespace

bool readSqliteRows(const QSqlDatabase& db, const QString& sql,
                    const std::function<ColumnKind(const QString&)>& kindOf, SqliteRows* out,
                    QString* error)
{
    sqlite3* h = handleOf(db);
    if (!h) {
        *error = QStringLiteral("The connection is not open.");
        return false;
    }
    sqlite3_stmt* stmt = nullptr;
    // Room for every row at once: growing a large snapshot step by step
    // costs more than counting its rows first.
    qint64 expected = 0;
    const QByteArray count = QStringLiteral("select count(*) from (%1)").arg(sql).toUtf8();
    if (sqlite3_prepare_v2(h, count.constData(), int(count.size()), &stmt, nullptr) == SQLITE_OK
        && sqlite3_step(stmt) == SQLITE_ROW)
        expected = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    stmt = nullptr;

    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        *error = QString::fromUtf8(sqlite3_errmsg(h));
        sqlite3_finalize(stmt);
        return false;
    }
    const int n = sqlite3_column_count(stmt);
    std::vector<ColumnKind> kinds;
    out->names.clear();
    for (int c = 0; c < n; ++c) {
        out->names << QString::fromUtf8(sqlite3_column_name(stmt, c));
        kinds.push_back(kindOf(out->names.constLast()));
    }
    out->cells.clear();
    out->cells.reserve(size_t(expected) * size_t(n));
    out->texts.clear();
    out->rows = 0;

    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            RecordCell cell;
            const ColumnKind kind = kinds[size_t(c)];
            switch (sqlite3_column_type(stmt, c)) {
            case SQLITE_NULL:
                break;
            case SQLITE_INTEGER:
                cell.i = sqlite3_column_int64(stmt, c);
                cell.tag = kind == ColumnKind::Boolean ? RecordCell::Boolean : RecordCell::Integer;
                if (kind == ColumnKind::Boolean)
                    cell.i = cell.i != 0;
                else if (kind == ColumnKind::Real) {
                    cell.d = double(cell.i);
                    cell.tag = RecordCell::Real;
                }
                break;
            case SQLITE_FLOAT:
                cell.d = sqlite3_column_double(stmt, c);
                cell.tag = RecordCell::Real;
                break;
            default: { // text (or a blob, shown as its text)
                const unsigned char* t = sqlite3_column_text(stmt, c);
                const int len = sqlite3_column_bytes(stmt, c);
                if (kind == ColumnKind::Date && storedDate(t, len, &cell.i)) {
                    cell.tag = RecordCell::Date;
                } else if (kind == ColumnKind::Time && storedTime(t, len, &cell.i)) {
                    cell.tag = RecordCell::Time;
                } else {
                    // Kept as it stands: nothing in a file is hidden or lost.
                    cell.tag = RecordCell::Text;
                    cell.i = qint64(out->texts.size());
                    out->texts.push_back(QString::fromUtf8(reinterpret_cast<const char*>(t), len));
                }
                break;
            }
            }
            out->cells.push_back(cell);
        }
        ++out->rows;
    }
    if (rc != SQLITE_DONE) {
        *error = QString::fromUtf8(sqlite3_errmsg(h));
        sqlite3_finalize(stmt);
        return false;
    }
    sqlite3_finalize(stmt);
    return true;
}
