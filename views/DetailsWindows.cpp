#include "views/DetailsWindows.h"

#include "views/SingleWindow.h"
#include "views/frmDetails.h"

namespace DetailsWindows {

namespace {

QPointer<frmDetails> g_window;

} // namespace

frmDetails* showDetails()
{
    return showSingleWindow(g_window);
}

void closeDetails()
{
    if (g_window)
        g_window->close();
}

frmDetails* detailsWindow()
{
    return shownSingleWindow(g_window);
}

} // namespace DetailsWindows
