// The record set's change signals drive a grid model correctly: a table
// model that only forwards them passes Qt's model checks through adding,
// cancelling, deleting, editing, requerying and closing.
#include "data/DataTestSupport.h"

#include <QAbstractItemModelTester>
#include <QAbstractTableModel>
#include <QtTest>

namespace {

class ForwardingModel : public QAbstractTableModel {
public:
    explicit ForwardingModel(std::shared_ptr<Recordset> rs)
        : m_rs(std::move(rs))
    {
        Recordset* r = m_rs.get();
        connect(r, &Recordset::aboutToReset, this, [this] { beginResetModel(); });
        connect(r, &Recordset::resetDone, this, [this] { endResetModel(); });
        connect(r, &Recordset::aboutToInsertRows, this,
                [this](qint64 a, qint64 b) { beginInsertRows({}, int(a), int(b)); });
        connect(r, &Recordset::rowsInserted, this, [this] { endInsertRows(); });
        connect(r, &Recordset::aboutToRemoveRows, this,
                [this](qint64 a, qint64 b) { beginRemoveRows({}, int(a), int(b)); });
        connect(r, &Recordset::rowsRemoved, this, [this] { endRemoveRows(); });
        connect(r, &Recordset::rowChanged, this, [this](qint64 row) {
            emit dataChanged(index(int(row), 0), index(int(row), columnCount() - 1));
        });
    }
    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() || !m_rs->isOpen() ? 0 : int(m_rs->rowCount());
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : m_rs->fieldCount();
    }
    QVariant data(const QModelIndex& i, int role) const override
    {
        return role == Qt::DisplayRole ? m_rs->valueAt(i.row(), i.column()) : QVariant();
    }

private:
    std::shared_ptr<Recordset> m_rs;
};

} // namespace

class TestRecordsetSignals : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void cleanup() { resetAll(); }

    void modelFollowsEveryChange()
    {
        Edition::select(EditionId::English);
        const QString path = makeDataFile(m_dir.filePath("m.amb"), EditionId::English);
        insertRows(path, EditionId::English, {{101}, {102}, {103}});
        auto rs = openRecords(path);
        ForwardingModel model(rs);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 3);

        rs->addNew();
        QCOMPARE(model.rowCount(), 4);
        rs->cancelUpdate();
        QCOMPARE(model.rowCount(), 3);
        rs->addNew();
        rs->setValue("SYS_mmHg", 104);
        QVERIFY(rs->update());
        QCOMPARE(model.index(3, 3).data().toInt(), 104);
        rs->addNew();
        rs->moveFirst(); // an untouched new row goes away
        QCOMPARE(model.rowCount(), 4);
        rs->setAbsolutePosition(2);
        rs->deleteRecord();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(1, 3).data().toInt(), 103);
        QVERIFY(rs->setValueAt(0, 3, 111));
        QCOMPARE(model.index(0, 3).data().toInt(), 111);
        QVERIFY(rs->requery());
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0, 3).data().toInt(), 111);
        rs->close();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestRecordsetSignals)
#include "test_recordset_signals.moc"
