#include "views/RecordsetTableModel.h"

#include "platform/Recordset.h"
#include "views/FieldText.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QTextDocument>

#include <algorithm>
#include <limits>

namespace {

// The first characters of a text (never half of a surrogate pair) and "…".
QString beginningOf(const QString& text, qsizetype length)
{
    if (text.size() <= length)
        return text;
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length) + QChar(0x2026);
}

} // namespace

RecordsetTableModel::RecordsetTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

RecordsetTableModel::~RecordsetTableModel()
{
    disconnectRecordset();
}

void RecordsetTableModel::setRecordset(std::shared_ptr<Recordset> recordset)
{
    beginResetModel();
    disconnectRecordset();
    m_recordset = std::move(recordset);
    connectRecordset();
    endResetModel();
}

void RecordsetTableModel::setEditable(bool editable)
{
    if (m_editable == editable)
        return;
    m_editable = editable;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {});
}

void RecordsetTableModel::connectRecordset()
{
    Recordset* rs = m_recordset.get();
    if (!rs)
        return;
    auto toInt = [](qint64 row) { return int(std::clamp<qint64>(row, 0, std::numeric_limits<int>::max())); };
    m_connections.push_back(connect(rs, &Recordset::aboutToReset, this, [this] {
        if (!m_resetting) {
            m_resetting = true;
            beginResetModel();
        }
    }));
    m_connections.push_back(connect(rs, &Recordset::resetDone, this, [this] {
        if (m_resetting) {
            m_resetting = false;
            endResetModel();
        }
    }));
    m_connections.push_back(connect(rs, &Recordset::aboutToInsertRows, this, [this, toInt](qint64 first, qint64 last) {
        beginInsertRows(QModelIndex(), toInt(first), toInt(last));
    }));
    m_connections.push_back(connect(rs, &Recordset::rowsInserted, this, [this] { endInsertRows(); }));
    m_connections.push_back(connect(rs, &Recordset::aboutToRemoveRows, this, [this, toInt](qint64 first, qint64 last) {
        beginRemoveRows(QModelIndex(), toInt(first), toInt(last));
    }));
    m_connections.push_back(connect(rs, &Recordset::rowsRemoved, this, [this] { endRemoveRows(); }));
    m_connections.push_back(connect(rs, &Recordset::rowChanged, this, [this, toInt](qint64 row) {
        if (row < 0 || row >= rowCount() || columnCount() == 0)
            return;
        emit dataChanged(index(toInt(row), 0), index(toInt(row), columnCount() - 1));
    }));
}

void RecordsetTableModel::disconnectRecordset()
{
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    if (m_resetting) {
        // The set went away between its two reset signals.
        m_resetting = false;
        endResetModel();
    }
}

int RecordsetTableModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_recordset || !m_recordset->isOpen() || m_resetting)
        return 0;
    return int(std::clamp<qint64>(m_recordset->rowCount(), 0, std::numeric_limits<int>::max()));
}

int RecordsetTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_recordset || m_resetting)
        return 0;
    return m_recordset->fieldCount();
}

void RecordsetTableModel::setSetAside(SetAsideReadings marks)
{
    if (marks == m_setAside)
        return;
    m_setAside = std::move(marks);
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::BackgroundRole, Qt::FontRole, Qt::ToolTipRole});
}

const SetAside* RecordsetTableModel::setAsideAt(int row) const
{
    if (m_setAside.empty() || !m_recordset || row < 0 || row >= rowCount())
        return nullptr;
    for (int c = 0; c < m_recordset->fieldCount(); ++c) {
        if (!m_recordset->fieldInfo(c).primaryKey)
            continue;
        const std::optional<double> id = m_recordset->numberAt(row, c);
        const auto found = id ? m_setAside.find(qint64(*id)) : m_setAside.end();
        return found == m_setAside.end() ? nullptr : &found->second;
    }
    return nullptr;
}

QVariant RecordsetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_recordset)
        return {};
    if (role == Qt::BackgroundRole || role == Qt::FontRole) {
        if (!setAsideAt(index.row()))
            return {};
        if (role == Qt::BackgroundRole)
            return QBrush(QColor(0xf3, 0xd9, 0xb1));
        QFont italic;
        italic.setItalic(true);
        return italic;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    if (role == Qt::ToolTipRole) {
        if (const SetAside* mark = setAsideAt(index.row()))
            return RecordingReview::setAsideText(*mark);
    }
    // Editing works on the text as shown, so that a shown value can be typed back.
    const QString text = fieldText(m_recordset->valueAt(index.row(), index.column()));
    if (role == Qt::EditRole)
        return text;
    if (role == Qt::DisplayRole)
        return beginningOf(text, kShownLength);
    if (text.size() <= kShownLength)
        return {};
    // Rich text, so that the tooltip wraps it instead of making one long line.
    return Qt::convertFromPlainText(beginningOf(text, kTipLength), Qt::WhiteSpaceNormal);
}

QVariant RecordsetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !m_recordset)
        return {};
    if (orientation == Qt::Horizontal)
        return m_recordset->fieldName(section);
    return {};
}

Qt::ItemFlags RecordsetTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_editable && m_recordset && !m_recordset->fieldInfo(index.column()).primaryKey)
        f |= Qt::ItemIsEditable;
    return f;
}

bool RecordsetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_recordset || !(flags(index) & Qt::ItemIsEditable))
        return false;
    // Leaving a cell without changing it is no change of the record.
    if (value.typeId() == QMetaType::QString && value.toString() == data(index, Qt::EditRole).toString())
        return true;
    if (!m_recordset->setValueAt(index.row(), index.column(), value)) {
        emit valueRefused(m_recordset->lastError());
        return false;
    }
    return true;
}
