#pragma once
// The data grid: a table view that tells apart the record the user picks
// (with the mouse or the keys in the grid) from the grid following the
// record set, which moves its current row too. Its cell editor takes a
// value of any length, so that a long text is edited whole.
#include <QTableView>

class RecordGrid : public QTableView {
    Q_OBJECT
public:
    explicit RecordGrid(QWidget* parent = nullptr);

signals:
    // The user made another row current.
    void userMovedToRow(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    template <typename Step>
    void byUser(Step step);
};
