#include "views/WindowReturns.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace {

// A window whose activation counts as leaving: not a message box or another
// modal dialog, not a popup.
bool isProgramWindow(const QWidget* w)
{
    if (!w->isWindow())
        return false;
    const Qt::WindowType type = w->windowType();
    if (type != Qt::Window && type != Qt::Dialog)
        return false;
    if (qobject_cast<const QDialog*>(w) && w->isModal())
        return false;
    return w->windowModality() == Qt::NonModal;
}

} // namespace

WindowReturns::WindowReturns(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    qApp->installEventFilter(this);
}

WindowReturns::~WindowReturns()
{
    if (qApp)
        qApp->removeEventFilter(this);
}

bool WindowReturns::startsOver(const QEvent* event)
{
    if (event->type() != QEvent::WindowActivate)
        return false;
    const bool fresh = !m_activatedOnce || m_otherWindowActivated;
    m_activatedOnce = true;
    m_otherWindowActivated = false;
    return fresh;
}

bool WindowReturns::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && watched != m_window && watched->isWidgetType()
        && isProgramWindow(static_cast<QWidget*>(watched)))
        m_otherWindowActivated = true;
    return false;
}
