#include "views/RecordGrid.h"

#include <QLineEdit>
#include <QStyledItemDelegate>

#include <limits>

namespace {

// A line edit cuts its text at 32767 characters; a longer value would come
// back cut, as a change of the record.
class WholeTextDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(std::numeric_limits<int>::max());
        return editor;
    }
};

} // namespace

RecordGrid::RecordGrid(QWidget* parent)
    : QTableView(parent)
{
    setItemDelegate(new WholeTextDelegate(this));
}

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
