#include "views/AbpmWindows.h"

#include "state/SharedState.h"
#include "views/WindowPlacement.h"
#include "views/frmAbpm.h"

#include <QPointer>

namespace AbpmWindows {

namespace {

PrintHook g_print;
QPointer<frmAbpm> g_window;

} // namespace

void setPrintHook(const PrintHook& hook)
{
    g_print = hook;
}

const PrintHook& printHook()
{
    return g_print;
}

frmAbpm* showSummary()
{
    // A window that was closed but is not deleted yet counts as gone.
    if (!g_window || !g_window->isVisible()) {
        if (g_window)
            g_window->deleteLater();
        auto* window = new frmAbpm(gMainWindow);
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

void closeSummary()
{
    if (g_window)
        g_window->close();
}

frmAbpm* summaryWindow()
{
    return g_window && g_window->isVisible() ? g_window.data() : nullptr;
}

} // namespace AbpmWindows
