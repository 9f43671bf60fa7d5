#include "views/ChartWindows.h"

#include "state/SharedState.h"
#include "views/frmBar.h"
#include "views/frmWave.h"
#include "views/WindowPlacement.h"

#include <QPointer>

namespace ChartWindows {

namespace {

QPointer<frmBar> g_bar;
QPointer<frmWave> g_wave;

template <class Window>
Window* show(QPointer<Window>& instance)
{
    // A window that was closed but is not deleted yet counts as gone.
    if (!instance || !instance->isLoaded()) {
        auto* window = new Window(gMainWindow);
        instance = window;
        if (!window->Form_Load())
            return nullptr; // it closed itself
    }
    WindowPlacement::placeOnFirstShow(instance);
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

template <class Window>
Window* loaded(const QPointer<Window>& instance)
{
    return instance && instance->isLoaded() ? instance.data() : nullptr;
}

} // namespace

frmBar* showBarChart()
{
    return show(g_bar);
}

frmWave* showTrendChart()
{
    return show(g_wave);
}

frmBar* barChart()
{
    return loaded(g_bar);
}

frmWave* trendChart()
{
    return loaded(g_wave);
}

} // namespace ChartWindows
