#include "data/AmbFileCheck.h"

#include "data/AmbSchema.h"
#include "platform/Connection.h"
#include "text/MessageCatalogue.h"

#include <QSet>
#include <QSqlQuery>

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
    case InUse: return catText("data.reasonInUse");
    case CannotRecover: return catText("data.reasonCannotRecover");
    case Unfinished: return catText("data.reasonUnfinished");
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
    case Connection::OpenError::InUse: s.kind = AmbFileStatus::InUse; break;
    case Connection::OpenError::CannotRecover: s.kind = AmbFileStatus::CannotRecover; break;
    case Connection::OpenError::Unfinished: s.kind = AmbFileStatus::Unfinished; break;
    case Connection::OpenError::Other: s.kind = AmbFileStatus::Unreadable; break;
    }
    return s;
}

AmbFileStatus check(const QString& path, EditionId edition)
{
    Connection connection;
    if (!connection.openFile(path))
        return fromConnection(connection);
    return checkTable(connection, edition);
}

AmbFileStatus checkTable(const Connection& connection, EditionId edition)
{
    AmbFileStatus status;
    QStringList present;
    {
        QSqlQuery q(connection.database());
        if (q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(AmbSchema::kTable))))
            while (q.next())
                present << q.value(1).toString();
    }
    const QSet<QString> have = lowerSet(present);
    const EditionId other = edition == EditionId::German ? EditionId::English : EditionId::German;
    const QSet<QString> mine = lowerSet(AmbSchema::recordColumns(edition));
    const QSet<QString> theirs = lowerSet(AmbSchema::recordColumns(other));
    if (present.isEmpty()) {
        status.kind = AmbFileStatus::NoTable;
    } else if (!have.contains(mine)) {
        status.kind = have.contains(theirs) ? AmbFileStatus::OtherEdition : AmbFileStatus::WrongColumns;
        QStringList missing;
        for (const QString& c : AmbSchema::recordColumns(edition))
            if (!have.contains(c.toLower()))
                missing << c;
        status.detail = QStringLiteral("missing columns: %1").arg(missing.join(QStringLiteral(", ")));
    }
    return status;
}

AmbFileStatus check(const QString& path)
{
    return check(path, Edition::current().id());
}

} // namespace AmbFileCheck
