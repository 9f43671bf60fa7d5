#include "views/RecordingsModel.h"

#include "data/AbpmSummaryWords.h"
#include "data/RecordingDetails.h"
#include "data/RecordingsIndex.h"
#include "text/MessageCatalogue.h"
#include "views/AbpmSummaryText.h"

#include <QBrush>
#include <QDir>
#include <QPalette>
#include <QTimer>

#include <algorithm>

namespace {

const char* const kHeaderKeys[] = {
    "recordings.colName", "recordings.colNumber", "recordings.colBorn", "recordings.colStart",
    "recordings.colReadings", "recordings.colValid", "recordings.col24h", "recordings.colAwake",
    "recordings.colAsleep", "recordings.colDipping", "recordings.colConclusion", "recordings.colSent",
    "recordings.colFile", "recordings.colState",
};
static_assert(std::size(kHeaderKeys) == RecordingsModel::ColumnCount);

QString means(const RecordingEntry& e, AbpmPeriodKind period)
{
    const size_t p = size_t(period);
    if (!e.sysMean[p] && !e.diaMean[p])
        return QString();
    return AbpmSummaryText::figureText(e.sysMean[p], 1) + QLatin1Char('/') + AbpmSummaryText::figureText(e.diaMean[p], 1);
}

QString searchText(const RecordingEntry& e)
{
    return (e.name + QLatin1Char('\n') + e.number).toLower();
}

} // namespace

RecordingsModel::RecordingsModel(RecordingsIndex* index, QObject* parent)
    : QAbstractTableModel(parent)
{
    if (!index)
        return;
    m_folder = index->folder();
    connect(index, &RecordingsIndex::entriesFound, this, [this](const QList<RecordingEntry>& entries) {
        if (m_pending.isEmpty())
            m_pending = entries; // shared, not copied
        else
            m_pending += entries;
        if (!m_takeScheduled) {
            m_takeScheduled = true;
            QTimer::singleShot(0, this, &RecordingsModel::takeSome);
        }
    });
    connect(index, &RecordingsIndex::entriesGone, this, &RecordingsModel::drop);
    connect(index, &RecordingsIndex::reachableChanged, this, &RecordingsModel::setReachable);
    m_reachable = index->reachable();
    take(index->entries().values());
}

int RecordingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int RecordingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString RecordingsModel::text(const RecordingEntry& e, int column) const
{
    switch (Column(column)) {
    case Name: return e.readable() ? e.name : AmbFileStatus{e.status, {}}.reasonText(); // no patient to name
    case Number: return e.number;
    case Born: return e.birthDate.isValid() ? detailsDateText(e.birthDate) : QString();
    case Start:
        return e.start.isValid() ? detailsDateText(e.start.date()) + QLatin1Char(' ') + detailsTimeText(e.start.time())
                                 : QString();
    case Readings: return e.readable() ? QString::number(e.readings) : QString();
    case Valid: return e.readable() && e.readings > 0 ? AbpmSummaryText::shareText(e.valid, e.readings) : QString();
    case Mean24: return means(e, AbpmPeriodKind::Day24);
    case MeanAwake: return means(e, AbpmPeriodKind::Day);
    case MeanAsleep: return means(e, AbpmPeriodKind::Night);
    case Dipping: return e.dipClass ? abpmDipClassText(*e.dipClass) : QString();
    case Conclusion: return e.conclusionKept ? catText("recordings.yes") : QString();
    case Sent:
        return e.resultSent ? catText(*e.resultSent ? "recordings.yes" : "recordings.no") : QString();
    case File: return m_folder.isEmpty() ? e.path : QDir(m_folder).relativeFilePath(e.path);
    case State: return e.readable() ? QString() : AmbFileStatus{e.status, {}}.reasonText();
    case ColumnCount: break;
    }
    return QString();
}

QVariant RecordingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= ColumnCount)
        return QVariant();
    const RecordingEntry& e = m_rows[index.row()];
    switch (role) {
    case Qt::DisplayRole: return text(e, index.column());
    case Qt::ToolTipRole:
        if (index.column() == File)
            return QDir::toNativeSeparators(e.path);
        return index.column() == Name || index.column() == State ? text(e, index.column()) : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() >= Readings && index.column() <= MeanAsleep ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                                         : QVariant();
    case Qt::ForegroundRole:
        return !m_reachable || !e.readable() ? QVariant(QBrush(QPalette().color(QPalette::Disabled, QPalette::Text)))
                                             : QVariant();
    case SearchRole: return m_search[index.row()];
    case PathRole: return e.path;
    case PatientRole: return e.patientKey();
    }
    return QVariant();
}

QVariant RecordingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return catText(kHeaderKeys[section]);
}

void RecordingsModel::take(const QList<RecordingEntry>& entries)
{
    QList<const RecordingEntry*> added;
    QHash<QString, qsizetype> addedAt; // a file read again while it waited: its latest entry
    for (const RecordingEntry& e : entries) {
        const auto at = m_rowOf.constFind(e.path);
        if (at == m_rowOf.constEnd()) {
            if (const auto again = addedAt.constFind(e.path); again != addedAt.constEnd()) {
                added[*again] = &e;
            } else {
                addedAt.insert(e.path, added.size());
                added << &e;
            }
            continue;
        }
        if (m_rows[*at] == e)
            continue;
        m_rows[*at] = e;
        m_search[*at] = searchText(e);
        emit dataChanged(index(*at, 0), index(*at, ColumnCount - 1));
    }
    if (added.isEmpty())
        return;
    // Into an empty list, all at once: a sorting view then sorts once
    // instead of placing rows one by one (the cache's thousands at a start).
    const bool fill = m_rows.isEmpty();
    const int first = int(m_rows.size());
    if (fill)
        beginResetModel();
    else
        beginInsertRows({}, first, first + int(added.size()) - 1);
    if (fill) {
        m_rows.reserve(added.size());
        m_search.reserve(added.size());
        m_rowOf.reserve(added.size());
    }
    for (const RecordingEntry* e : added) {
        m_rowOf.insert(e->path, int(m_rows.size()));
        m_rows << *e;
        m_search << searchText(*e);
    }
    if (fill)
        endResetModel();
    else
        endInsertRows();
}

void RecordingsModel::takeSome()
{
    constexpr qsizetype kPerPass = 250;
    if (m_rows.isEmpty()) {
        take(std::exchange(m_pending, {}));
    } else {
        const QList<RecordingEntry> some = m_pending.first(std::min(kPerPass, m_pending.size()));
        m_pending.remove(0, some.size());
        take(some);
    }
    m_takeScheduled = !m_pending.isEmpty();
    if (m_takeScheduled)
        QTimer::singleShot(0, this, &RecordingsModel::takeSome);
}

void RecordingsModel::drop(const QStringList& paths)
{
    // An entry still waiting to be taken in goes too.
    m_pending.removeIf([&paths](const RecordingEntry& e) { return paths.contains(e.path); });
    QVector<int> rows;
    for (const QString& p : paths)
        if (const auto at = m_rowOf.constFind(p); at != m_rowOf.constEnd())
            rows << *at;
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    const bool many = rows.size() > 50;
    if (many)
        beginResetModel();
    for (int row : rows) {
        if (!many)
            beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        m_search.removeAt(row);
        if (!many)
            endRemoveRows();
    }
    m_rowOf.clear();
    for (int i = 0; i < m_rows.size(); ++i)
        m_rowOf.insert(m_rows[i].path, i);
    if (many)
        endResetModel();
}

void RecordingsModel::setReachable(bool reachable)
{
    if (reachable == m_reachable)
        return;
    m_reachable = reachable;
    if (!m_rows.isEmpty())
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, ColumnCount - 1), {Qt::ForegroundRole});
}

RecordingsFilter::RecordingsFilter(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    setDynamicSortFilter(true);
}

void RecordingsFilter::setSearch(const QString& text)
{
    const QString lower = text.trimmed().toLower();
    if (lower == m_search)
        return;
    m_search = lower;
    invalidateRowsFilter();
}

bool RecordingsModel::lessThan(int a, int b, int column) const
{
    const RecordingEntry& x = m_rows[a];
    const RecordingEntry& y = m_rows[b];
    const auto byMean = [&x, &y](AbpmPeriodKind p) {
        return x.sysMean[size_t(p)].value_or(-1.0) < y.sysMean[size_t(p)].value_or(-1.0);
    };
    const auto share = [](const RecordingEntry& e) {
        return e.readable() && e.readings > 0 ? double(e.valid) / double(e.readings) : -1.0;
    };
    switch (Column(column)) {
    case Name: return QString::compare(x.name, y.name, Qt::CaseInsensitive) < 0;
    case Number: return x.number < y.number;
    case Born: return x.birthDate < y.birthDate;
    case Start: return x.start < y.start;
    case Readings: return (x.readable() ? x.readings : -1) < (y.readable() ? y.readings : -1);
    case Valid: return share(x) < share(y);
    case Mean24: return byMean(AbpmPeriodKind::Day24);
    case MeanAwake: return byMean(AbpmPeriodKind::Day);
    case MeanAsleep: return byMean(AbpmPeriodKind::Night);
    case Dipping: return (x.dipClass ? int(*x.dipClass) : -1) < (y.dipClass ? int(*y.dipClass) : -1);
    case Conclusion: return x.conclusionKept < y.conclusionKept;
    case Sent: return (x.resultSent ? int(*x.resultSent) : -1) < (y.resultSent ? int(*y.resultSent) : -1);
    case File: return x.path < y.path;
    case State: return int(x.status) < int(y.status);
    case ColumnCount: break;
    }
    return false;
}

bool RecordingsFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const auto* model = static_cast<const RecordingsModel*>(sourceModel());
    return model->lessThan(left.row(), right.row(), left.column());
}

bool RecordingsFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_search.isEmpty())
        return true;
    return sourceModel()->index(sourceRow, 0, sourceParent).data(RecordingsModel::SearchRole).toString().contains(m_search);
}
