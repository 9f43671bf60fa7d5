#pragma once
// A client-side record set over one table of a data file: the result of a
// plain "select <columns> from <table>" read into memory at open and at
// requery, rows in ascending key order. It offers the record-set operations
// the program has always used (position, BOF/EOF, moves, add new, field
// read and write, update, batch update, cancel update, delete, requery,
// edit mode, close) with their results.
//
// Changes: a field write goes into the current row's edit buffer (edit
// mode 1, or 2 for a row started by addNew). update() writes the buffer to
// the file at once, each write its own transaction. Moving off a changed
// row saves it first; when that fails the move does not happen and the
// change is kept. Columns are typed by their declared type: a value a column
// cannot hold is refused at the write with an error naming the column and
// the reason, and nothing changes.
//
// Failures: every operation that can fail returns false and leaves the
// reason in lastError() (cleared by the next operation).
//
// For grid models: rows are addressed by a 0-based row index (valueAt,
// setValueAt, currentRow); access by index is constant time. The signals
// follow Qt's model protocol: about-to-X before a change, X after it.
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/ColumnType.h"
#include "platform/RecordCell.h"

#include <memory>
#include <optional>
#include <vector>

class Connection;

class Recordset : public QObject {
    Q_OBJECT
public:
    enum CursorType { OpenStatic = 3 };
    enum LockType { LockOptimistic = 3 };
    enum EditMode { EditNone = 0, EditInProgress = 1, EditAdd = 2 };
    enum AffectEnum { AffectCurrent = 1, AffectAll = 3 };
    // Positions reported when there is no current row (all below 1).
    enum Position : qint64 { PosUnknown = -1, PosBOF = -2, PosEOF = -3 };

    explicit Recordset(QObject* parent = nullptr);
    ~Recordset() override;

    // Opens the query on the connection; cursor type, lock type and options
    // are accepted as the program passes them. Rows come in ascending key
    // order. Read-only when the query names no key column of its table.
    bool open(const QString& query, std::shared_ptr<Connection> connection,
              int cursorType = OpenStatic, int lockType = LockOptimistic, int options = -1);
    // Closes the set. A pending change is saved first when it can be; the
    // set is closed either way.
    void close();
    bool isOpen() const { return m_open; }
    std::shared_ptr<Connection> connection() const { return m_connection; }
    QString source() const { return m_query; }
    QString tableName() const { return m_table; }

    // Fields (columns of the query, in the query's order).
    int fieldCount() const { return int(m_columns.size()); }
    QString fieldName(int column) const;
    QStringList fieldNames() const;
    int fieldIndex(const QString& name) const; // -1 when the set has no such field
    ColumnInfo fieldInfo(int column) const;

    // Exact number of rows, a row being added included.
    qint64 recordCount() const;
    // 1-based position of the current row; PosBOF / PosEOF / PosUnknown otherwise.
    qint64 absolutePosition() const;
    bool setAbsolutePosition(qint64 position);
    bool bof() const;
    bool eof() const;

    bool moveFirst();
    bool moveLast();
    bool moveNext();
    bool movePrevious();

    // Starts a new row at the end and makes it current (edit mode 2).
    bool addNew();
    // Field of the current row (the edit buffer while a change is pending).
    QVariant value(const QString& field) const;
    QVariant value(int column) const;
    bool setValue(const QString& field, const QVariant& value);
    bool setValue(int column, const QVariant& value);
    // Writes the current row's pending change at once.
    bool update();
    // Writes every pending change (affect: 3 = all rows).
    bool updateBatch(int affect = AffectAll);
    // Rows saved between beginBatch() and commitBatch() are written in one
    // transaction (one disk sync for a whole reading run). A row that fails
    // is undone alone; the rows saved before it stay and are committed.
    bool beginBatch();
    bool commitBatch();
    // Drops the pending change of the current row; a row being added goes
    // away and the row that was current before addNew is current again.
    bool cancelUpdate();
    // Deletes the current row (affect: 1 = current row only). Afterwards no
    // row is current until the next move; moveNext lands on the row after
    // the deleted one.
    bool deleteRecord(int affect = AffectCurrent);
    // Re-runs the query (saving a pending change first); the first row is
    // current afterwards.
    bool requery(int options = -1);
    int editMode() const { return m_editMode; }

    QString lastError() const { return m_lastError; }

    // Row access for grids (row 0-based, constant time). A row with a
    // pending change shows the change.
    qint64 rowCount() const { return recordCount(); }
    QVariant valueAt(qint64 row, int column) const;
    // Makes the row current (saving another row's change) and writes the field.
    bool setValueAt(qint64 row, int column, const QVariant& value);
    // 0-based index of the current row, -1 when there is none.
    qint64 currentRow() const;
    // The number a field holds (none when empty or not a number), without
    // building a QVariant: for walks over every row.
    std::optional<double> numberAt(qint64 row, int column) const;

signals:
    void aboutToReset();
    void resetDone();                               // open, requery, close
    void aboutToInsertRows(qint64 first, qint64 last);
    void rowsInserted(qint64 first, qint64 last);   // addNew
    void aboutToRemoveRows(qint64 first, qint64 last);
    void rowsRemoved(qint64 first, qint64 last);    // delete, cancel of a new row
    void rowChanged(qint64 row);                    // field written, row saved
    void currentRowChanged(qint64 row);             // -1: no current row
    void editModeChanged(int mode);

private:
    bool fail(const QString& why) const;
    bool ready() const;
    bool readRows();
    bool saveCurrent();
    bool leaveCurrent(); // saves a pending change before a move
    bool leaveForEndMove(); // checks and leaving shared by moveFirst and moveLast
    void setCurrent(qint64 index, bool deleted = false);
    void setEditMode(int mode);
    RecordCell& cell(qint64 row, int column) { return m_cells[size_t(row) * m_columns.size() + size_t(column)]; }
    const RecordCell& cell(qint64 row, int column) const
    {
        return m_cells[size_t(row) * m_columns.size() + size_t(column)];
    }
    QVariant cellAt(qint64 row, int column) const { return cellValue(cell(row, column), m_texts); }

    std::shared_ptr<Connection> m_connection;
    QString m_query;
    QString m_selectSql; // the query as sent, with its ordering
    QString m_table;
    int m_keyColumn = -1;
    std::vector<ColumnInfo> m_columns;
    std::vector<bool> m_tableColumn; // the field is a column of the table (writable)
    std::vector<ColumnInfo> m_tableInfo;
    QString m_keyName;
    std::vector<RecordCell> m_cells; // rows one after another
    RecordTexts m_texts;             // texts the cells point into
    qint64 m_rows = 0;
    qint64 m_current = -1;         // -1 BOF, m_rows EOF
    bool m_currentDeleted = false; // the row at m_current was deleted
    qint64 m_beforeAdd = -1;
    int m_editMode = EditNone;
    std::vector<QVariant> m_buffer; // values of the current row while editing
    std::vector<bool> m_changed;
    bool m_open = false;
    bool m_inBatch = false;
    mutable QString m_lastError;
};
