#pragma once
// The data grid: a table view that tells apart the record the user picks
// (with the mouse or the keys in the grid) from the grid following the
// record set, which moves its current row too.
#include <QTableView>

class RecordGrid : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

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
