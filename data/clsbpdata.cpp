#include "data/clsbpdata.h"

#include "data/CurrentDataFile.h"
#include "data/BpStatistics.h"

#include "state/SharedState.h"
#include "platform/Recordset.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <algorithm>

clsbpdata::clsbpdata(QObject* parent)
    : QObject(parent)
{
    Create();
}

clsbpdata::~clsbpdata() = default;

void clsbpdata::Create()
{
    // The data member "Primary" is there from now on.
    m_opened = CurrentDataFile::open();
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
