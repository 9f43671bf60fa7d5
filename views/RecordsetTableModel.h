#pragma once
// The grid's view of a record set: one row per record, one column per field
// of the query, headed by the field names, values in their plain form. The
// grid asks only for the rows it shows, so a large file opens quickly.
//
// A long value (a note of another tool, up to megabytes) is shown by its
// first kShownLength characters and "…", so that sizing and painting the
// grid never lay out the whole of it; its tooltip shows it as a wrapped
// paragraph (cut at kTipLength, which a tooltip still shows at once), and
// the cell editor gets it whole.
//
// Readings the doctor set aside (RecordingReview.h) are shown on a shaded,
// italic row whose tooltip gives the reason.
//
// Writing a cell writes the field of that record (making it current); a
// value the column cannot hold is refused and valueRefused says which field
// and why.
#include "data/RecordingReview.h"

#include <QAbstractTableModel>
#include <QMetaObject>

#include <memory>
#include <vector>

class Recordset;

class RecordsetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr qsizetype kShownLength = 100;
    static constexpr qsizetype kTipLength = 2000;

    explicit RecordsetTableModel(QObject* parent = nullptr);
    ~RecordsetTableModel() override;

    // Binds to a record set (nullptr: nothing). The model keeps the set it
    // was given until it is given another.
    void setRecordset(std::shared_ptr<Recordset> recordset);
    std::shared_ptr<Recordset> recordset() const { return m_recordset; }

    // Cells of the record's own fields can be written only while editable;
    // the record number is given by the file and never is.
    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }

    // The set-aside readings to mark, by record number.
    void setSetAside(SetAsideReadings marks);
    // The mark of the record in the row, or null.
    const SetAside* setAsideAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void valueRefused(const QString& reason);

private:
    void connectRecordset();
    void disconnectRecordset();

    std::shared_ptr<Recordset> m_recordset;
    std::vector<QMetaObject::Connection> m_connections;
    SetAsideReadings m_setAside;
    bool m_editable = false;
    bool m_resetting = false;
};
