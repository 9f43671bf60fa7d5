#include "views/AbpmWindows.h"

#include "views/SingleWindow.h"
#include "views/frmAbpm.h"

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
    return showSingleWindow(g_window);
}

void closeSummary()
{
    if (g_window)
        g_window->close();
}

frmAbpm* summaryWindow()
{
    return shownSingleWindow(g_window);
}

} // namespace AbpmWindows
