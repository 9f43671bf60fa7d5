#include "data/clsbpdata.h"

#include "state/MainStatusPanels.h"
#include "state/SharedState.h"
#include "data/AmbFileCheck.h"
#include "data/AmbSchema.h"
#include "data/DataMessages.h"
#include "platform/Connection.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"
#include "data/BpStatistics.h"

#include <algorithm>

namespace {

// Moves to the state No file after a failed open and says why.
void failedOpen(const AmbFileStatus& status)
{
    if (gConnection)
        gConnection->close();
    gFileReady = false;
    MainStatusPanels::instance().setFile(QString());
    MainStatusPanels::instance().setText(MainStatusPanels::Records, QString());
    showCannotOpenMessage(gDataFile, status);
}

} // namespace

clsbpdata::clsbpdata(QObject* parent)
    : QObject(parent)
{
    Create();
}

clsbpdata::~clsbpdata() = default;

void clsbpdata::Create()
{
    if (gDataFile.isEmpty()) {
        showMessage(nullptr, catText("clsbpdata.msgNoFile"), MsgButtons::Ok, MsgIcon::Information,
                    catText("frmMain.caption"));
        gFileReady = false;
        return;
    }

    auto connection = std::make_shared<Connection>();
    gConnection = connection;
    connection->setCursorLocation(Connection::UseClient);
    if (!connection->open(AmbSchema::recordConnectionText(gDataFile), QString(), QString(), -1)) {
        failedOpen(AmbFileCheck::fromConnection(*connection));
        return;
    }

    auto records = std::make_shared<Recordset>();
    gRecordset = records;
    if (!records->open(AmbSchema::recordQuery(), connection, Recordset::OpenStatic,
                       Recordset::LockOptimistic, -1)) {
        // The query's own words ("no such column: Nr_") say little to a
        // user: look at the file to tell why.
        AmbFileStatus status = AmbFileCheck::check(gDataFile);
        if (status.ok()) {
            status.kind = AmbFileStatus::Unreadable;
            status.detail = records->lastError();
        }
        failedOpen(status);
        return;
    }
    m_opened = true; // the data member "Primary" is there from now on

    QString why;
    if (!UpdateBpStatistics(&why)) {
        m_opened = false;
        failedOpen({AmbFileStatus::Unreadable, why});
        return;
    }
    gRecordCount = records->recordCount();
    MainStatusPanels::instance().setRecordCount(gRecordCount);
}

bool clsbpdata::step(bool ok) const
{
    if (!ok && m_lastError.isEmpty()) {
        const std::shared_ptr<Recordset> rs = gRecordset;
        m_lastError = rs && !rs->lastError().isEmpty() ? rs->lastError()
                                                       : catText("recordset.closed");
    }
    return ok;
}

bool clsbpdata::notEmpty(QString* error) const
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || !rs->isOpen()) {
        m_lastError = catText("recordset.closed");
        if (error)
            *error = m_lastError;
        return false;
    }
    return !(rs->bof() && rs->eof());
}

QStringList clsbpdata::dataMembers() const
{
    return {dataMemberName()};
}

std::shared_ptr<Recordset> clsbpdata::GetDataMember(const QString& dataMember) const
{
    if (dataMember != dataMemberName())
        return nullptr;
    return gRecordset;
}

bool clsbpdata::EditingRecord(QString* error) const
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || !rs->isOpen()) {
        if (error)
            *error = catText("recordset.closed");
        return false;
    }
    return rs->editMode() != Recordset::EditNone;
}

qint32 clsbpdata::AbsolutePosition() const
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || !rs->isOpen())
        return 0;
    return qint32(std::clamp<qint64>(rs->absolutePosition(), INT32_MIN, INT32_MAX));
}

bool clsbpdata::AddNew()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    return step(rs && rs->addNew());
}

bool clsbpdata::Delete()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!notEmpty(nullptr))
        return m_lastError.isEmpty();
    bool ok = step(rs->deleteRecord(Recordset::AffectCurrent));
    const QString first = m_lastError;
    ok = MoveNext() && ok;
    if (!first.isEmpty())
        m_lastError = first;
    return ok;
}

bool clsbpdata::Requery()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    const bool ok = step(rs && rs->requery(-1));
    emit dataMemberChanged(dataMemberName());
    return ok;
}

bool clsbpdata::Update(QString* error)
{
    m_lastError.clear();
    if (!notEmpty(error))
        return m_lastError.isEmpty();
    const std::shared_ptr<Recordset> rs = gRecordset;
    bool ok = step(rs->updateBatch(Recordset::AffectAll));
    if (rs->editMode() == Recordset::EditAdd) {
        const QString first = m_lastError;
        ok = MoveLast() && ok;
        if (!first.isEmpty())
            m_lastError = first;
    }
    QString why;
    if (!UpdateBpStatistics(&why)) {
        ok = false;
        if (m_lastError.isEmpty())
            m_lastError = why;
    }
    if (!ok && error)
        *error = m_lastError;
    return ok;
}

bool clsbpdata::Cancel(QString* error)
{
    m_lastError.clear();
    if (!notEmpty(error))
        return m_lastError.isEmpty();
    const std::shared_ptr<Recordset> rs = gRecordset;
    bool ok = step(rs->cancelUpdate());
    if (rs->editMode() == Recordset::EditAdd) {
        const QString first = m_lastError;
        ok = MoveFirst() && ok;
        if (!first.isEmpty())
            m_lastError = first;
    }
    if (!ok && error)
        *error = m_lastError;
    return ok;
}

bool clsbpdata::MoveFirst()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || rs->recordCount() < 1)
        return true;
    return step(rs->moveFirst());
}

bool clsbpdata::MoveLast()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs || rs->recordCount() < 1)
        return true;
    return step(rs->moveLast());
}

bool clsbpdata::MoveNext()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs)
        return true;
    bool ok = true;
    if (!rs->eof())
        ok = step(rs->moveNext());
    if (rs->eof() && rs->recordCount() >= 1) {
        seams().beep();
        ok = step(rs->moveLast()) && ok;
    }
    return ok;
}

bool clsbpdata::MovePrevious()
{
    m_lastError.clear();
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (!rs)
        return true;
    bool ok = true;
    if (!rs->bof())
        ok = step(rs->movePrevious());
    if (rs->bof() && rs->recordCount() >= 1) {
        seams().beep();
        ok = step(rs->moveFirst()) && ok;
    }
    return ok;
}
