#include "views/RecordWindow.h"

#include "data/clsbpdata.h"
#include "platform/Seams.h"
#include "views/RecordKeys.h"

#include <QCloseEvent>

QString recordCounterText(const QString& label, qint32 position)
{
    return position > 0 ? label + QString::number(position) : QString();
}

RecordWindow::RecordWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
}

RecordWindow::~RecordWindow() = default;

bool RecordWindow::navigate(bool (clsbpdata::*move)())
{
    rebindIfStale();
    if (!beforeMove())
        return false;
    const bool moved = (PrimaryCLS.get()->*move)();
    if (!moved)
        showFailure(PrimaryCLS->lastError());
    afterMove();
    if (moved)
        showRecordCounter();
    return moved;
}

void RecordWindow::cmdFirst_Click()
{
    navigate(&clsbpdata::MoveFirst);
}

void RecordWindow::cmdPrevious_Click()
{
    navigate(&clsbpdata::MovePrevious);
}

void RecordWindow::cmdNext_Click()
{
    navigate(&clsbpdata::MoveNext);
}

void RecordWindow::cmdLast_Click()
{
    navigate(&clsbpdata::MoveLast);
}

void RecordWindow::cmdClose_Click()
{
    close();
}

void RecordWindow::showFailure(const QString& description)
{
    showMessage(this, description, MsgButtons::Ok, MsgIcon::Information, QString());
}

bool RecordWindow::eventFilter(QObject* watched, QEvent* event)
{
    return keyPressTaken(*this, event) || QWidget::eventFilter(watched, event);
}

void RecordWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void RecordWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        rebindIfStale();
}

void RecordWindow::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}
