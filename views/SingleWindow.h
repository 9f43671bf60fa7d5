#pragma once
// One instance of a data window that loads itself: created over the main
// window and loaded when it is first shown or was closed, then shown and
// brought up. Null when it could not load (it has closed itself then).
#include "state/SharedState.h"
#include "views/WindowPlacement.h"

#include <QPointer>

template <class Window>
Window* showSingleWindow(QPointer<Window>& instance)
{
    // A window that was closed but is not deleted yet counts as gone.
    if (!instance || !instance->isVisible()) {
        if (instance)
            instance->deleteLater();
        auto* window = new Window(gMainWindow);
        instance = window;
        if (!window->Form_Load())
            return nullptr;
        WindowPlacement::placeOnFirstShow(window);
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

// The shown instance, or null.
template <class Window>
Window* shownSingleWindow(const QPointer<Window>& instance)
{
    return instance && instance->isVisible() ? instance.data() : nullptr;
}
