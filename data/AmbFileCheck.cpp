#include "data/AmbFileCheck.h"

#include "data/AmbSchema.h"
#include "platform/Connection.h"
#include "text/MessageCatalogue.h"

#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

QSet<QString> lowerSet(const QStringList& names)
{
    QSet<QString> set;
    for (const QString& n : names)
        set.insert(n.toLower());
    return set;
}

} // namespace

QString AmbFileStatus::reasonText() const
{
    switch (kind) {
    case Ok: return QString();
    case Missing: return catText("data.reasonMissing");
    case NotAFile: return catText("data.reasonNotAFile");
    case NotADatabase: return catText("data.reasonNotADatabase");
    case Damaged: return catText("data.reasonDamaged");
    case NoTable: return catText("data.reasonNoTable");
    case OtherEdition: return catText("data.reasonOtherEdition");
    case WrongColumns: return catText("data.reasonWrongColumns");
    case Unreadable: return catText("data.reasonUnreadable");
    }
    return QString();
}

namespace AmbFileCheck {

AmbFileStatus fromConnection(const Connection& connection)
{
    AmbFileStatus s;
    s.detail = connection.lastError();
    switch (connection.lastOpenError()) {
    case Connection::OpenError::None: s.kind = AmbFileStatus::Ok; break;
    case Connection::OpenError::NoDataSource:
    case Connection::OpenError::Missing: s.kind = AmbFileStatus::Missing; break;
    case Connection::OpenError::NotAFile: s.kind = AmbFileStatus::NotAFile; break;
    case Connection::OpenError::NotADatabase: s.kind = AmbFileStatus::NotADatabase; break;
    case Connection::OpenError::Damaged: s.kind = AmbFileStatus::Damaged; break;
    case Connection::OpenError::Other: s.kind = AmbFileStatus::Unreadable; break;
    }
    return s;
}

AmbFileStatus check(const QString& path, EditionId edition)
{
    AmbFileStatus status;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        status.kind = AmbFileStatus::Missing;
        return status;
    }
    if (!info.isFile()) {
        status.kind = AmbFileStatus::NotAFile;
        return status;
    }

    static int counter = 0;
    const QString name = QStringLiteral("korvane-check-%1").arg(++counter);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        // Read-only and never create: looking must not change the file.
        db.setDatabaseName(QUrl::fromLocalFile(info.absoluteFilePath()).toString(QUrl::FullyEncoded)
                           + QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
        if (!db.open()) {
            status.kind = AmbFileStatus::Unreadable;
            status.detail = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("PRAGMA quick_check"))) {
                const QString why = q.lastError().databaseText();
                status.kind = why.contains(QLatin1String("not a database"), Qt::CaseInsensitive)
                    ? AmbFileStatus::NotADatabase
                    : (why.contains(QLatin1String("malformed"), Qt::CaseInsensitive)
                           ? AmbFileStatus::Damaged
                           : AmbFileStatus::Unreadable);
                status.detail = why;
            } else {
                QStringList problems;
                while (q.next())
                    problems << q.value(0).toString();
                if (problems.isEmpty() || problems.constFirst() != QLatin1String("ok")) {
                    status.kind = AmbFileStatus::Damaged;
                    status.detail = problems.join(QLatin1Char(' ')).left(300);
                }
            }
            if (status.ok()) {
                QStringList present;
                if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(AmbSchema::kTable))))
                    while (q.next())
                        present << q.value(1).toString();
                const QSet<QString> have = lowerSet(present);
                const EditionId other =
                    edition == EditionId::German ? EditionId::English : EditionId::German;
                const QSet<QString> mine = lowerSet(AmbSchema::recordColumns(edition));
                const QSet<QString> theirs = lowerSet(AmbSchema::recordColumns(other));
                if (present.isEmpty()) {
                    status.kind = AmbFileStatus::NoTable;
                } else if (!have.contains(mine)) {
                    status.kind = have.contains(theirs) ? AmbFileStatus::OtherEdition
                                                        : AmbFileStatus::WrongColumns;
                    QStringList missing;
                    for (const QString& c : AmbSchema::recordColumns(edition))
                        if (!have.contains(c.toLower()))
                            missing << c;
                    status.detail = QStringLiteral("missing columns: %1").arg(missing.join(QStringLiteral(", ")));
                }
            }
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return status;
}

AmbFileStatus check(const QString& path)
{
    return check(path, Edition::current().id());
}

} // namespace AmbFileCheck
