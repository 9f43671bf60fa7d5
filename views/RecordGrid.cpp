#include "views/RecordGrid.h"

template <typename Step>
void RecordGrid::byUser(Step step)
{
    const int before = currentIndex().row();
    step();
    const int after = currentIndex().row();
    if (after >= 0 && after != before)
        emit userMovedToRow(after);
}

void RecordGrid::mousePressEvent(QMouseEvent* event)
{
    byUser([&] { QTableView::mousePressEvent(event); });
}

void RecordGrid::mouseMoveEvent(QMouseEvent* event)
{
    byUser([&] { QTableView::mouseMoveEvent(event); });
}

void RecordGrid::keyPressEvent(QKeyEvent* event)
{
    byUser([&] { QTableView::keyPressEvent(event); });
}

void RecordGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab out of the last cell of a row goes on to the next row.
    byUser([&] { QTableView::closeEditor(editor, hint); });
}
