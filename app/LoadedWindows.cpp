#include "app/LoadedWindows.h"

#include <QApplication>
#include <QEvent>

LoadedWindows& LoadedWindows::instance()
{
    static LoadedWindows windows;
    return windows;
}

void LoadedWindows::install()
{
    if (m_installed || !qApp)
        return;
    qApp->installEventFilter(this);
    m_installed = true;
}

bool LoadedWindows::isTrackedWindow(const QWidget* widget)
{
    if (!widget || !widget->isWindow())
        return false;
    // Menus, tooltips and the like come and go by themselves.
    switch (widget->windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::Desktop:
        return false;
    default:
        return true;
    }
}

bool LoadedWindows::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (isTrackedWindow(widget)) {
            std::erase_if(m_order, [widget](const QPointer<QWidget>& w) { return w.isNull() || w == widget; });
            m_order.emplace_back(widget);
        }
    }
    return false;
}

QList<QWidget*> LoadedWindows::shownWindows() const
{
    QList<QWidget*> shown;
    for (const QPointer<QWidget>& w : m_order)
        if (w && w->isVisible())
            shown << w.data();
    return shown;
}

void LoadedWindows::closeAllExcept(const QWidget* keep)
{
    const QList<QWidget*> shown = shownWindows();
    QList<QPointer<QWidget>> toClose;
    for (auto it = shown.crbegin(); it != shown.crend(); ++it)
        if (*it != keep)
            toClose << QPointer<QWidget>(*it);
    // A window's own unload step may close others; the pointers notice.
    for (const QPointer<QWidget>& w : toClose)
        if (w && w->isVisible())
            w->close();
}
