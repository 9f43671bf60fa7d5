#include "data/RecordingsCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QVariant>

namespace {

constexpr int kStoredColumns = 19;

const char* const kCreate[] = {
    "create table if not exists stamp (value TEXT NOT NULL)",
    "create table if not exists entries (path TEXT PRIMARY KEY NOT NULL, size INTEGER, modified INTEGER,"
    " status INTEGER, name TEXT, number TEXT, birth TEXT, start TEXT, readings INTEGER, valid INTEGER,"
    " sys24 REAL, dia24 REAL, sysDay REAL, diaDay REAL, sysNight REAL, diaNight REAL, dip INTEGER,"
    " conclusion INTEGER, sent INTEGER)",
};

QVariant orNull(const std::optional<double>& v)
{
    return v ? QVariant(*v) : QVariant();
}

std::optional<double> number(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

} // namespace

QString RecordingsCache::pathFor(const QString& cacheFolder, const QString& dataFolder, EditionId edition)
{
    const QByteArray hash =
        QCryptographicHash::hash(QDir::cleanPath(dataFolder).toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(cacheFolder).filePath(QStringLiteral("recordings-%1-%2.sqlite")
                                          .arg(edition == EditionId::German ? QStringLiteral("de") : QStringLiteral("en"),
                                               QString::fromLatin1(hash)));
}

bool RecordingsCache::open(const QString& path, const QString& stamp)
{
    m_file.close();
    m_path = path;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !m_file.open(path, SqliteFile::Mode::Create, 1000))
        return false;
    // Only a cache: a crash may cost it, never a data file.
    m_file.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    QSqlQuery q(m_file.database());
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next() || q.value(0).toString() != QLatin1String("ok")) {
        q.finish();
        m_file.close();
        QFile::remove(path);
        if (!m_file.open(path, SqliteFile::Mode::Create, 1000))
            return false;
    }
    q = QSqlQuery(m_file.database());
    for (const char* sql : kCreate)
        if (!q.exec(QLatin1String(sql))) {
            m_file.close();
            return false;
        }
    QString kept;
    if (q.exec(QStringLiteral("select value from stamp")) && q.next())
        kept = q.value(0).toString();
    q.finish();
    if (kept != stamp) {
        m_file.exec(QStringLiteral("BEGIN"));
        m_file.exec(QStringLiteral("delete from entries"));
        m_file.exec(QStringLiteral("delete from stamp"));
        q.prepare(QStringLiteral("insert into stamp (value) values (?)"));
        q.addBindValue(stamp);
        q.exec();
        m_file.exec(QStringLiteral("COMMIT"));
    }
    return true;
}

bool RecordingsCache::stillThere() const
{
    return QFileInfo::exists(m_path);
}

QList<RecordingEntry> RecordingsCache::load()
{
    QList<RecordingEntry> entries;
    if (!isOpen())
        return entries;
    QSqlQuery q(m_file.database());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("select path, size, modified, status, name, number, birth, start, readings, valid,"
                               " sys24, dia24, sysDay, diaDay, sysNight, diaNight, dip, conclusion, sent from entries")))
        return entries;
    while (q.next()) {
        RecordingEntry e;
        e.path = q.value(0).toString();
        e.size = q.value(1).toLongLong();
        e.modifiedNs = q.value(2).toLongLong();
        e.status = AmbFileStatus::Kind(q.value(3).toInt());
        e.name = q.value(4).toString();
        e.number = q.value(5).toString();
        e.birthDate = QDate::fromString(q.value(6).toString(), Qt::ISODate);
        const QDateTime start = QDateTime::fromString(q.value(7).toString(), Qt::ISODate);
        if (start.isValid())
            e.start = QDateTime(start.date(), start.time(), Qt::UTC);
        e.readings = q.value(8).toLongLong();
        e.valid = q.value(9).toLongLong();
        for (int p = 0; p < kAbpmPeriodCount; ++p) {
            e.sysMean[size_t(p)] = number(q.value(10 + 2 * p));
            e.diaMean[size_t(p)] = number(q.value(11 + 2 * p));
        }
        if (!q.value(16).isNull())
            e.dipClass = DipClass(q.value(16).toInt());
        e.conclusionKept = q.value(17).toBool();
        if (!q.value(18).isNull())
            e.resultSent = q.value(18).toBool();
        entries << e;
    }
    return entries;
}

void RecordingsCache::store(const QList<RecordingEntry>& entries)
{
    if (!isOpen() || entries.isEmpty())
        return;
    m_file.exec(QStringLiteral("BEGIN"));
    QSqlQuery q(m_file.database());
    QString marks = QStringLiteral("?");
    for (int i = 1; i < kStoredColumns; ++i)
        marks += QStringLiteral(",?");
    q.prepare(QStringLiteral("insert or replace into entries (path, size, modified, status, name, number, birth, start,"
                             " readings, valid, sys24, dia24, sysDay, diaDay, sysNight, diaNight, dip, conclusion,"
                             " sent) values (%1)")
                  .arg(marks));
    for (const RecordingEntry& e : entries) {
        q.addBindValue(e.path);
        q.addBindValue(e.size);
        q.addBindValue(e.modifiedNs);
        q.addBindValue(int(e.status));
        q.addBindValue(e.name);
        q.addBindValue(e.number);
        q.addBindValue(e.birthDate.isValid() ? e.birthDate.toString(Qt::ISODate) : QString());
        q.addBindValue(e.start.isValid() ? e.start.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) : QString());
        q.addBindValue(e.readings);
        q.addBindValue(e.valid);
        for (int p = 0; p < kAbpmPeriodCount; ++p) {
            q.addBindValue(orNull(e.sysMean[size_t(p)]));
            q.addBindValue(orNull(e.diaMean[size_t(p)]));
        }
        q.addBindValue(e.dipClass ? QVariant(int(*e.dipClass)) : QVariant());
        q.addBindValue(int(e.conclusionKept));
        q.addBindValue(e.resultSent ? QVariant(int(*e.resultSent)) : QVariant());
        q.exec();
    }
    q.finish();
    m_file.exec(QStringLiteral("COMMIT"));
}

void RecordingsCache::drop(const QStringList& paths)
{
    if (!isOpen() || paths.isEmpty())
        return;
    m_file.exec(QStringLiteral("BEGIN"));
    QSqlQuery q(m_file.database());
    q.prepare(QStringLiteral("delete from entries where path = ?"));
    for (const QString& p : paths) {
        q.addBindValue(p);
        q.exec();
    }
    q.finish();
    m_file.exec(QStringLiteral("COMMIT"));
}
