#include "views/WindowPlacement.h"

#include "state/SharedState.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QToolBar>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* kPlaced = "korvanePlaced";
constexpr int kCascadeStep = 32;
constexpr int kCascadeSteps = 6;

// Top-left of the main window's work area (under menu and toolbars), on screen.
QPoint workAreaOrigin(const QWidget* main)
{
    int top = 0;
    if (const auto* window = qobject_cast<const QMainWindow*>(main)) {
        if (const QWidget* menu = window->menuWidget(); menu && menu->isVisible())
            top = qMax(top, menu->geometry().bottom() + 1);
        for (const QToolBar* bar : window->findChildren<QToolBar*>())
            if (bar->isVisible() && window->toolBarArea(bar) == Qt::TopToolBarArea)
                top = qMax(top, bar->geometry().bottom() + 1);
    }
    return main->mapToGlobal(QPoint(0, top));
}

} // namespace

namespace WindowPlacement {

void adopt(QWidget* window)
{
    if (gMainWindow && window->parentWidget() != gMainWindow)
        window->setParent(gMainWindow, window->windowFlags() | Qt::Window);
}

void moveToWorkAreaCorner(QWidget* window)
{
    if (!gMainWindow) {
        window->move(0, 0);
        return;
    }
    const QScreen* screen = gMainWindow->screen() ? gMainWindow->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    QPoint at = workAreaOrigin(gMainWindow);
    at.setX(qMin(at.x(), available.right() - window->width() - frame.width()));
    at.setY(qMin(at.y(), available.bottom() - window->height() - frame.height()));
    window->move(qMax(at.x(), available.left()), qMax(at.y(), available.top()));
}

void placeOnFirstShow(QWidget* window)
{
    adopt(window);
    if (window->property(kPlaced).toBool())
        return;
    window->setProperty(kPlaced, true);
    if (!gMainWindow)
        return;
    static int cascade = 0;
    const int step = (cascade++ % kCascadeSteps) * kCascadeStep;
    const QScreen* screen = gMainWindow->screen() ? gMainWindow->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const QPoint origin = workAreaOrigin(gMainWindow) + QPoint(8 + step, 8 + step);

    // A window not yet shown nor sized by its own code takes its layout's size.
    if (!window->testAttribute(Qt::WA_Resized))
        window->adjustSize();
    // The frame around the window takes a little room too.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    QSize size = window->size();
    size = size.boundedTo(available.size() - frame - QSize(0, origin.y() - available.top()));
    window->resize(size.expandedTo(window->minimumSize()));
    QPoint at = origin;
    at.setX(qMin(at.x(), available.right() - window->width() - frame.width()));
    at.setY(qMin(at.y(), available.bottom() - window->height() - frame.height()));
    window->move(qMax(at.x(), available.left()), qMax(at.y(), available.top()));
}

} // namespace WindowPlacement
