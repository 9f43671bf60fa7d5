#include "views/DetailsWindows.h"

#include "state/SharedState.h"
#include "views/WindowPlacement.h"
#include "views/frmDetails.h"

#include <QPointer>

namespace DetailsWindows {

namespace {

QPointer<frmDetails> g_window;

} // namespace

frmDetails* showDetails()
{
    // A window that was closed but is not deleted yet counts as gone.
    if (!g_window || !g_window->isVisible()) {
        if (g_window)
            g_window->deleteLater();
        auto* window = new frmDetails(gMainWindow);
        g_window = window;
        if (!window->Form_Load())
            return nullptr; // it closed itself
        WindowPlacement::placeOnFirstShow(window);
    }
    g_window->show();
    g_window->raise();
    g_window->activateWindow();
    return g_window;
}

void closeDetails()
{
    if (g_window)
        g_window->close();
}

frmDetails* detailsWindow()
{
    return g_window && g_window->isVisible() ? g_window.data() : nullptr;
}

} // namespace DetailsWindows
