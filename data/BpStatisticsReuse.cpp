#include "data/BpStatisticsReuse.h"

#include "data/BpStatistics.h"
#include "platform/Recordset.h"
#include "state/SharedState.h"
#include "state/StateNotifier.h"

#include <QObject>

#include <memory>

namespace {

// Follows which record set the published results belong to.
class ResultsOwner : public QObject {
public:
    ResultsOwner()
    {
        connect(&StateNotifier::instance(), &StateNotifier::statisticsChanged, this,
                &ResultsOwner::computed);
    }

    bool freshFor(const std::shared_ptr<Recordset>& records) const
    {
        return records && m_from.lock() == records;
    }

private:
    // A run publishes results of whatever gRecordset holds at the time.
    void computed()
    {
        if (Recordset* old = m_from.lock().get())
            disconnect(old, nullptr, this, nullptr);
        m_from = gRecordset;
        Recordset* rs = gRecordset.get();
        if (!rs)
            return;
        connect(rs, &Recordset::resetDone, this, &ResultsOwner::changed);
        connect(rs, &Recordset::rowsInserted, this, &ResultsOwner::changed);
        connect(rs, &Recordset::rowsRemoved, this, &ResultsOwner::changed);
        connect(rs, &Recordset::rowChanged, this, &ResultsOwner::changed);
    }

    void changed()
    {
        if (Recordset* old = m_from.lock().get())
            disconnect(old, nullptr, this, nullptr);
        m_from.reset();
    }

    std::weak_ptr<Recordset> m_from;
};

ResultsOwner& owner()
{
    static ResultsOwner instance;
    return instance;
}

} // namespace

bool bpStatisticsCurrent()
{
    return owner().freshFor(gRecordset);
}

bool UpdateBpStatisticsIfChanged(QString* error)
{
    const std::shared_ptr<Recordset> rs = gRecordset;
    if (owner().freshFor(rs) && rs->moveFirst() && owner().freshFor(rs))
        return true;
    return UpdateBpStatistics(error);
}
