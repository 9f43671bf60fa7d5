#pragma once
// The recordings of a folder as a table: one row per data file, in the
// order they came; the window sorts and searches through RecordingsFilter.
// Texts are the edition's and the figures are written as the file's own
// ABPM summary writes them (AbpmSummaryText); lessThan orders by each
// column's own value (dates, numbers), SearchRole gives the patient's name
// and number in lower case.
#include "data/RecordingEntry.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSortFilterProxyModel>
#include <QVector>

class RecordingsIndex;

class RecordingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Name, Number, Born, Start, Readings, Valid, Mean24, MeanAwake, MeanAsleep, Dipping, Conclusion,
                  Sent, File, State, ColumnCount };
    enum Role { SearchRole = Qt::UserRole + 1, PathRole, PatientRole };

    // Follows the index (may be null: fed by take and drop alone).
    explicit RecordingsModel(RecordingsIndex* index, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    void take(const QList<RecordingEntry>& entries);
    void drop(const QStringList& paths);
    // While the folder is away the rows stay, shown as not reachable.
    void setReachable(bool reachable);
    bool reachable() const { return m_reachable; }

    const RecordingEntry& entry(int row) const { return m_rows[row]; }
    // Row a before row b in the column's order (by its own values, without
    // building values: a folder may hold thousands).
    bool lessThan(int a, int b, int column) const;

private:
    // Entries come in batches while the folder is read; each pass of the
    // event loop takes in a limited number, so the window stays responsive
    // however many batches wait. An empty list takes all that wait.
    void takeSome();
    QString text(const RecordingEntry& e, int column) const;

    QString m_folder;
    QVector<RecordingEntry> m_rows;
    QVector<QString> m_search;
    QHash<QString, int> m_rowOf;
    QList<RecordingEntry> m_pending;
    bool m_takeScheduled = false;
    bool m_reachable = true;
};

// Sorts by the model's lessThan and keeps the rows whose name or number holds the
// search text (case ignored).
class RecordingsFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit RecordingsFilter(QObject* parent = nullptr);
    void setSearch(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString m_search;
};
