#include "platform/Recordset.h"

#include "platform/Connection.h"
#include "platform/SqliteRowReader.h"
#include "platform/PlatformText.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace {

const QString kNoCurrentRow = QStringLiteral(
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
    "requires a current record.");

QString sqlErrorText(const QSqlError& e)
{
    return e.databaseText().isEmpty() ? e.text() : e.databaseText();
}

QString quoted(const QString& identifier)
{
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

// "select <list> from <table> [where ...] [order by ...]"
struct PlainSelect {
    bool ok = false;
    QString table;
    bool ordered = false;
};

PlainSelect parseSelect(const QString& query)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*select\\s+.+?\\s+from\\s+(\"[^\"]+\"|\\[[^\\]]+\\]|[A-Za-z_][A-Za-z0-9_]*)"
                       "(\\s+.*)?;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    PlainSelect s;
    const QRegularExpressionMatch m = re.match(query);
    if (!m.hasMatch())
        return s;
    s.ok = true;
    s.table = m.captured(1);
    if (s.table.startsWith(QLatin1Char('"')) || s.table.startsWith(QLatin1Char('[')))
        s.table = s.table.mid(1, s.table.size() - 2);
    s.ordered = m.captured(2).contains(QRegularExpression(QStringLiteral("\\border\\s+by\\b"),
                                                          QRegularExpression::CaseInsensitiveOption));
    return s;
}

} // namespace

Recordset::Recordset(QObject* parent)
    : QObject(parent)
{
}

Recordset::~Recordset()
{
    // A pending change is saved as closing saves it: nothing typed is lost
    // when the last owner lets go without closing.
    close();
}

bool Recordset::fail(const QString& why) const
{
    m_lastError = why;
    return false;
}

bool Recordset::ready() const
{
    m_lastError.clear();
    if (!m_open)
        return fail(platformText("recordset.closed"));
    return true;
}

QString Recordset::fieldName(int column) const
{
    return column >= 0 && column < fieldCount() ? m_columns[size_t(column)].name : QString();
}

QStringList Recordset::fieldNames() const
{
    QStringList names;
    for (const ColumnInfo& c : m_columns)
        names << c.name;
    return names;
}

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (m_columns[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

ColumnInfo Recordset::fieldInfo(int column) const
{
    return column >= 0 && column < fieldCount() ? m_columns[size_t(column)] : ColumnInfo();
}

bool Recordset::open(const QString& query, std::shared_ptr<Connection> connection, int, int, int)
{
    if (m_open)
        close();
    m_lastError.clear();
    if (!connection || !connection->isOpen())
        return fail(QStringLiteral("The connection is not open."));
    const PlainSelect select = parseSelect(query);
    if (!select.ok)
        return fail(QStringLiteral("Only a plain select from one table can be opened: %1").arg(query));

    m_connection = std::move(connection);
    m_query = query;
    m_table = select.table;
    QSqlDatabase db = m_connection->database();

    // Column kinds and the key come from the table's declared columns.
    QSqlQuery info(db);
    if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(m_table)))) {
        m_connection.reset();
        return fail(sqlErrorText(info.lastError()));
    }
    std::vector<ColumnInfo> tableColumns;
    int keys = 0;
    while (info.next()) {
        ColumnInfo c;
        c.name = info.value(1).toString();
        c.kind = columnKindOf(info.value(2).toString());
        c.primaryKey = info.value(5).toInt() > 0;
        keys += c.primaryKey ? 1 : 0;
        tableColumns.push_back(c);
    }
    info.finish();
    if (tableColumns.empty()) {
        m_connection.reset();
        return fail(QStringLiteral("no such table: %1").arg(m_table));
    }
    QString keyName;
    for (const ColumnInfo& c : tableColumns)
        if (c.primaryKey && keys == 1)
            keyName = c.name;

    // The program takes rows in the order they were added: ascending key.
    m_selectSql = query.trimmed();
    if (m_selectSql.endsWith(QLatin1Char(';')))
        m_selectSql.chop(1);
    if (!select.ordered && !keyName.isEmpty())
        m_selectSql += QStringLiteral(" order by %1").arg(quoted(keyName));

    m_tableInfo = tableColumns;
    m_keyName = keyName;
    m_columns.clear();
    m_tableColumn.clear();
    m_keyColumn = -1;

    emit aboutToReset();
    m_open = true;
    m_editMode = EditNone;
    if (!readRows()) {
        const QString why = m_lastError;
        m_open = false;
        m_connection.reset();
        m_columns.clear();
        m_cells.clear();
        m_rows = 0;
        emit resetDone();
        return fail(why);
    }
    m_current = m_rows > 0 ? 0 : -1;
    m_currentDeleted = false;
    emit resetDone();
    emit currentRowChanged(currentRow());
    return true;
}

bool Recordset::readRows()
{
    SqliteRows read;
    QString why;
    const auto kindOf = [this](const QString& name) {
        for (const ColumnInfo& t : m_tableInfo)
            if (t.name.compare(name, Qt::CaseInsensitive) == 0)
                return t.kind;
        return ColumnKind::Text;
    };
    if (!readSqliteRows(m_connection->database(), m_selectSql, kindOf, &read, &why))
        return fail(why);
    if (m_columns.empty()) {
        for (int i = 0; i < read.names.size(); ++i) {
            ColumnInfo c;
            c.name = read.names[i];
            bool fromTable = false;
            for (const ColumnInfo& t : m_tableInfo) {
                if (t.name.compare(c.name, Qt::CaseInsensitive) == 0) {
                    c.kind = t.kind;
                    c.primaryKey = t.name == m_keyName && !m_keyName.isEmpty();
                    fromTable = true;
                }
            }
            if (c.primaryKey)
                m_keyColumn = i;
            m_columns.push_back(c);
            m_tableColumn.push_back(fromTable);
        }
    }
    if (read.names.size() != fieldCount())
        return fail(platformText("recordset.columnsChanged").arg(m_table));
    m_cells = std::move(read.cells);
    m_texts = std::move(read.texts);
    m_rows = read.rows;
    return true;
}

void Recordset::close()
{
    if (!m_open)
        return;
    // Nothing typed is lost by closing; an untouched new row is not kept.
    leaveCurrent();
    commitBatch();
    emit aboutToReset();
    m_open = false;
    m_cells.clear();
    m_rows = 0;
    m_current = -1;
    m_currentDeleted = false;
    m_buffer.clear();
    m_changed.clear();
    m_connection.reset();
    const bool modeChanged = m_editMode != EditNone;
    m_editMode = EditNone;
    emit resetDone();
    if (modeChanged)
        emit editModeChanged(m_editMode);
    emit currentRowChanged(-1);
}

qint64 Recordset::recordCount() const
{
    return m_open ? m_rows : -1;
}

qint64 Recordset::currentRow() const
{
    if (!m_open || m_currentDeleted || m_current < 0 || m_current >= m_rows)
        return -1;
    return m_current;
}

qint64 Recordset::absolutePosition() const
{
    if (!m_open || m_rows == 0 || m_currentDeleted)
        return PosUnknown;
    if (m_current < 0)
        return PosBOF;
    if (m_current >= m_rows)
        return PosEOF;
    return m_current + 1;
}

bool Recordset::bof() const
{
    return !m_open || m_rows == 0 || m_current < 0;
}

bool Recordset::eof() const
{
    return !m_open || m_rows == 0 || m_current >= m_rows;
}

void Recordset::setCurrent(qint64 index, bool deleted)
{
    m_current = std::clamp<qint64>(index, -1, m_rows);
    m_currentDeleted = deleted;
    emit currentRowChanged(currentRow());
}

void Recordset::setEditMode(int mode)
{
    if (m_editMode == mode)
        return;
    m_editMode = mode;
    emit editModeChanged(mode);
}

bool Recordset::leaveCurrent()
{
    if (m_editMode == EditNone)
        return true;
    if (m_editMode == EditAdd && std::find(m_changed.begin(), m_changed.end(), true) == m_changed.end()) {
        // A new row nobody typed into is dropped, not stored empty.
        const qint64 row = m_rows - 1;
        m_buffer.clear();
        m_changed.clear();
        emit aboutToRemoveRows(row, row);
        m_cells.resize(m_cells.size() - m_columns.size());
        --m_rows;
        emit rowsRemoved(row, row);
        m_current = row;
        setEditMode(EditNone);
        return true;
    }
    return saveCurrent();
}

bool Recordset::setAbsolutePosition(qint64 position)
{
    if (!ready())
        return false;
    if (position < 1 || position > m_rows)
        return fail(QStringLiteral("There is no row at position %1 (the set holds %2).")
                        .arg(position)
                        .arg(m_rows));
    if (currentRow() == position - 1)
        return true;
    if (!leaveCurrent())
        return false;
    if (position > m_rows)
        return fail(QStringLiteral("There is no row at position %1 (the set holds %2).")
                        .arg(position)
                        .arg(m_rows));
    setCurrent(position - 1);
    return true;
}

bool Recordset::leaveForEndMove()
{
    if (!ready())
        return false;
    if (m_rows == 0)
        return fail(kNoCurrentRow);
    if (!leaveCurrent())
        return false;
    // Leaving may drop an untouched new row, and with it the only row.
    if (m_rows == 0)
        return fail(kNoCurrentRow);
    return true;
}

bool Recordset::moveFirst()
{
    if (!leaveForEndMove())
        return false;
    setCurrent(0);
    return true;
}

bool Recordset::moveLast()
{
    if (!leaveForEndMove())
        return false;
    setCurrent(m_rows - 1);
    return true;
}

bool Recordset::moveNext()
{
    if (!ready())
        return false;
    if (eof())
        return fail(kNoCurrentRow);
    if (!leaveCurrent())
        return false;
    // After a delete the row after the deleted one already sits at the index.
    setCurrent(m_currentDeleted ? m_current : m_current + 1);
    return true;
}

bool Recordset::movePrevious()
{
    if (!ready())
        return false;
    if (bof())
        return fail(kNoCurrentRow);
    if (!leaveCurrent())
        return false;
    setCurrent(m_current - 1);
    return true;
}

bool Recordset::addNew()
{
    if (!ready())
        return false;
    if (m_keyColumn < 0)
        return fail(QStringLiteral("The record set cannot be changed: its query has no key column."));
    if (!leaveCurrent())
        return false;
    const qint64 row = m_rows;
    const qint64 before = currentRow();
    emit aboutToInsertRows(row, row);
    m_cells.resize(m_cells.size() + m_columns.size());
    ++m_rows;
    emit rowsInserted(row, row);
    m_beforeAdd = before;
    m_buffer.assign(m_columns.size(), QVariant());
    m_changed.assign(m_columns.size(), false);
    setCurrent(row);
    setEditMode(EditAdd);
    return true;
}

QVariant Recordset::value(const QString& field) const
{
    const int column = fieldIndex(field);
    if (column < 0) {
        m_lastError = platformText("recordset.noField").arg(field);
        return {};
    }
    return value(column);
}

QVariant Recordset::value(int column) const
{
    if (!ready())
        return {};
    if (column < 0 || column >= fieldCount()) {
        fail(QStringLiteral("No field number %1.").arg(column));
        return {};
    }
    const qint64 row = currentRow();
    if (row < 0) {
        fail(kNoCurrentRow);
        return {};
    }
    return m_editMode != EditNone ? m_buffer[size_t(column)] : cellAt(row, column);
}

bool Recordset::setValue(const QString& field, const QVariant& value)
{
    const int column = fieldIndex(field);
    if (column < 0)
        return fail(platformText("recordset.noField").arg(field));
    return setValue(column, value);
}

bool Recordset::setValue(int column, const QVariant& newValue)
{
    if (!ready())
        return false;
    if (column < 0 || column >= fieldCount())
        return fail(QStringLiteral("No field number %1.").arg(column));
    const qint64 row = currentRow();
    if (row < 0)
        return fail(kNoCurrentRow);
    if (m_keyColumn < 0)
        return fail(QStringLiteral("The record set cannot be changed: its query has no key column."));
    const ColumnInfo& info = m_columns[size_t(column)];
    if (!m_tableColumn[size_t(column)])
        return fail(QStringLiteral("%1: the field is computed and cannot be changed.").arg(info.name));
    const QVariant current = m_editMode != EditNone ? m_buffer[size_t(column)] : cellAt(row, column);
    if (info.primaryKey) {
        // Writing the key back unchanged is harmless; the file assigns it.
        if (newValue == current || (newValue.toString() == current.toString() && current.isValid()))
            return true;
        return fail(QStringLiteral("%1: the record number is given by the file and cannot be changed.")
                        .arg(info.name));
    }
    QVariant accepted;
    QString why;
    if (!acceptColumnValue(info, newValue, &accepted, &why))
        return fail(why);
    if (m_editMode == EditNone) {
        m_buffer.clear();
        for (int c = 0; c < fieldCount(); ++c)
            m_buffer.push_back(cellAt(row, c));
        m_changed.assign(m_columns.size(), false);
        setEditMode(EditInProgress);
    }
    m_buffer[size_t(column)] = accepted;
    m_changed[size_t(column)] = true;
    emit rowChanged(row);
    return true;
}

bool Recordset::saveCurrent()
{
    const qint64 row = currentRow();
    if (m_editMode == EditNone || row < 0)
        return true;
    if (!m_connection || !m_connection->isOpen())
        return fail(platformText("recordset.connectionClosed"));
    QSqlDatabase db = m_connection->database();

    QStringList names;
    QVariantList values;
    for (int c = 0; c < fieldCount(); ++c) {
        if (!m_changed[size_t(c)] || c == m_keyColumn || !m_tableColumn[size_t(c)])
            continue;
        names << quoted(m_columns[size_t(c)].name);
        values << columnValueToStored(m_columns[size_t(c)].kind, m_buffer[size_t(c)]);
    }
    const bool adding = m_editMode == EditAdd;
    if (!adding && names.isEmpty()) {
        setEditMode(EditNone);
        return true;
    }

    QSqlQuery q(db);
    // Each write is its own transaction, taken at once so that another
    // writer cannot slip in between; inside a batch, a savepoint of its own.
    const QString begin = m_inBatch ? QStringLiteral("SAVEPOINT korvane_row") : QStringLiteral("BEGIN IMMEDIATE");
    const QString commit = m_inBatch ? QStringLiteral("RELEASE korvane_row") : QStringLiteral("COMMIT");
    if (!q.exec(begin))
        return fail(sqlErrorText(q.lastError()));
    auto rollback = [&db, this](const QString& why) {
        QSqlQuery undo(db);
        if (m_inBatch) {
            undo.exec(QStringLiteral("ROLLBACK TO korvane_row"));
            undo.exec(QStringLiteral("RELEASE korvane_row"));
        } else {
            undo.exec(QStringLiteral("ROLLBACK"));
        }
        return why;
    };

    QString sql;
    if (adding) {
        if (names.isEmpty()) {
            sql = QStringLiteral("insert into %1 default values").arg(quoted(m_table));
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("insert into %1 (%2) values (%3)")
                      .arg(quoted(m_table), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
    } else {
        QStringList sets;
        for (const QString& n : names)
            sets << n + QStringLiteral("=?");
        sql = QStringLiteral("update %1 set %2 where %3=?")
                  .arg(quoted(m_table), sets.join(QLatin1Char(',')),
                       quoted(m_columns[size_t(m_keyColumn)].name));
        values << cellAt(row, m_keyColumn);
    }
    if (!q.prepare(sql))
        return fail(rollback(sqlErrorText(q.lastError())));
    for (const QVariant& v : values)
        q.addBindValue(v);
    if (!q.exec())
        return fail(rollback(sqlErrorText(q.lastError())));
    if (!adding && q.numRowsAffected() != 1)
        return fail(rollback(platformText("recordset.rowGone")));
    const QVariant newKey = adding ? q.lastInsertId() : QVariant();
    q.finish();
    if (!q.exec(commit))
        return fail(rollback(sqlErrorText(q.lastError())));

    for (int c = 0; c < fieldCount(); ++c)
        cell(row, c) = cellFromValue(m_buffer[size_t(c)], m_texts);
    if (adding)
        cell(row, m_keyColumn) = cellFromValue(QVariant(newKey.toLongLong()), m_texts);
    m_buffer.clear();
    m_changed.clear();
    setEditMode(EditNone);
    emit rowChanged(row);
    return true;
}

bool Recordset::update()
{
    if (!ready())
        return false;
    if (m_editMode == EditNone)
        return true;
    return saveCurrent();
}

bool Recordset::updateBatch(int)
{
    // Moving off a row saves it, so the current row holds the only pending change.
    return update();
}

bool Recordset::beginBatch()
{
    if (!ready())
        return false;
    if (!m_connection || !m_connection->isOpen())
        return fail(platformText("recordset.connectionClosed"));
    QSqlQuery q(m_connection->database());
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(sqlErrorText(q.lastError()));
    m_inBatch = true;
    return true;
}

bool Recordset::commitBatch()
{
    if (!m_inBatch)
        return true;
    m_inBatch = false;
    if (!m_connection || !m_connection->isOpen())
        return fail(platformText("recordset.connectionClosed"));
    QSqlQuery q(m_connection->database());
    if (q.exec(QStringLiteral("COMMIT")))
        return true;
    const QString why = sqlErrorText(q.lastError());
    q.exec(QStringLiteral("ROLLBACK"));
    // The rows of the batch are not in the file: read back what is.
    requery();
    return fail(why);
}

bool Recordset::cancelUpdate()
{
    if (!ready())
        return false;
    if (m_editMode == EditNone)
        return true;
    if (m_editMode == EditAdd) {
        const qint64 row = m_rows - 1;
        m_buffer.clear();
        m_changed.clear();
        emit aboutToRemoveRows(row, row);
        m_cells.resize(m_cells.size() - m_columns.size());
        --m_rows;
        emit rowsRemoved(row, row);
        setEditMode(EditNone);
        setCurrent(m_beforeAdd >= 0 && m_beforeAdd < m_rows ? m_beforeAdd : (m_rows > 0 ? m_rows : -1));
        return true;
    }
    const qint64 row = currentRow();
    m_buffer.clear();
    m_changed.clear();
    setEditMode(EditNone);
    emit rowChanged(row);
    return true;
}

bool Recordset::deleteRecord(int)
{
    if (!ready())
        return false;
    const qint64 row = currentRow();
    if (row < 0)
        return fail(kNoCurrentRow);
    if (m_editMode == EditAdd) {
        // The new row never reached the file: dropping it is the delete.
        m_buffer.clear();
        m_changed.clear();
        emit aboutToRemoveRows(row, row);
        m_cells.resize(m_cells.size() - m_columns.size());
        --m_rows;
        emit rowsRemoved(row, row);
        setEditMode(EditNone);
        setCurrent(row, true);
        return true;
    }
    if (m_keyColumn < 0)
        return fail(QStringLiteral("The record set cannot be changed: its query has no key column."));
    if (!m_connection || !m_connection->isOpen())
        return fail(platformText("recordset.connectionClosed"));
    QSqlDatabase db = m_connection->database();
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return fail(sqlErrorText(q.lastError()));
    q.prepare(QStringLiteral("delete from %1 where %2=?")
                  .arg(quoted(m_table), quoted(m_columns[size_t(m_keyColumn)].name)));
    q.addBindValue(cellAt(row, m_keyColumn));
    if (!q.exec() || !QSqlQuery(db).exec(QStringLiteral("COMMIT"))) {
        const QString why = sqlErrorText(q.lastError().isValid() ? q.lastError() : db.lastError());
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        return fail(why);
    }
    m_buffer.clear();
    m_changed.clear();
    setEditMode(EditNone);
    emit aboutToRemoveRows(row, row);
    const auto first = m_cells.begin() + qsizetype(row) * fieldCount();
    m_cells.erase(first, first + fieldCount());
    --m_rows;
    emit rowsRemoved(row, row);
    setCurrent(row, true);
    return true;
}

bool Recordset::requery(int)
{
    if (!ready())
        return false;
    if (!m_connection || !m_connection->isOpen())
        return fail(platformText("recordset.connectionClosed"));
    if (!leaveCurrent())
        return false;
    emit aboutToReset();
    const bool ok = readRows();
    const QString why = m_lastError;
    m_currentDeleted = false;
    m_current = m_rows > 0 ? 0 : -1;
    emit resetDone();
    emit currentRowChanged(currentRow());
    return ok ? true : fail(why);
}

QVariant Recordset::valueAt(qint64 row, int column) const
{
    if (!m_open || row < 0 || row >= m_rows || column < 0 || column >= fieldCount())
        return {};
    if (row == currentRow() && m_editMode != EditNone)
        return m_buffer[size_t(column)];
    return cellAt(row, column);
}

std::optional<double> Recordset::numberAt(qint64 row, int column) const
{
    if (!m_open || row < 0 || row >= m_rows || column < 0 || column >= fieldCount())
        return std::nullopt;
    if (row == currentRow() && m_editMode != EditNone) {
        RecordTexts texts;
        return cellNumber(cellFromValue(m_buffer[size_t(column)], texts), texts);
    }
    return cellNumber(cell(row, column), m_texts);
}

bool Recordset::setValueAt(qint64 row, int column, const QVariant& value)
{
    if (!ready())
        return false;
    if (row != currentRow() && !setAbsolutePosition(row + 1))
        return false;
    return setValue(column, value);
}
