#include "app/HelpWindows.h"

#include "app/CompanyPages.h"
#include "app/frmAbout.h"
#include "app/frmSRdemo.h"
#include "views/WindowPlacement.h"

#include <QPointer>

namespace {

QPointer<frmSRdemo> g_quickUse;
QPointer<frmAbout> g_about;
QPointer<frmIntro> g_intro;
QPointer<frmInfo> g_info;

// A closed window is deleted on the event loop's next pass; from its
// closing on it counts as gone, and showing makes a new one.
template <class Window>
Window* openWindow(const QPointer<Window>& slot)
{
    return slot && slot->isVisible() ? slot.data() : nullptr;
}

template <class Window>
Window* showSingle(QPointer<Window>& slot)
{
    if (!openWindow(slot)) {
        slot = new Window;
        slot->setAttribute(Qt::WA_DeleteOnClose);
    }
    Window* window = slot;
    WindowPlacement::placeOnFirstShow(window);
    window->show();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace

namespace HelpWindows {

frmSRdemo* showQuickUse()
{
    return showSingle(g_quickUse);
}

frmAbout* showAbout()
{
    return showSingle(g_about);
}

frmIntro* showIntro()
{
    return showSingle(g_intro);
}

frmInfo* showInfo()
{
    return showSingle(g_info);
}

frmSRdemo* quickUseWindow()
{
    return openWindow(g_quickUse);
}

frmAbout* aboutWindow()
{
    return openWindow(g_about);
}

frmIntro* introWindow()
{
    return openWindow(g_intro);
}

frmInfo* infoWindow()
{
    return openWindow(g_info);
}

} // namespace HelpWindows
