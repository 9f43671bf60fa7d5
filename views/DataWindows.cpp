#include "views/DataWindows.h"

#include "state/SharedState.h"
#include "views/frmList.h"
#include "views/frmbpdata.h"
#include "views/WindowPlacement.h"

#include <QPointer>

namespace DataWindows {

namespace {

ListHooks g_hooks;
QPointer<frmList> g_list;
QPointer<frmbpdata> g_editor;

QWidget* owner()
{
    return gMainWindow;
}

template <typename Window>
void present(Window* window)
{
    WindowPlacement::placeOnFirstShow(window);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void setListHooks(const ListHooks& hooks)
{
    g_hooks = hooks;
}

const ListHooks& listHooks()
{
    return g_hooks;
}

frmList* showList()
{
    // A window that was unloaded but is not deleted yet counts as gone.
    if (!g_list || !g_list->isLoaded()) {
        auto* window = new frmList(owner());
        g_list = window;
        if (!window->Form_Load())
            return nullptr; // it closed itself
    } else {
        g_list->rebindIfStale();
    }
    present(g_list.data());
    return g_list;
}

void closeList()
{
    if (g_list)
        g_list->close();
}

frmList* listWindow()
{
    return g_list && g_list->isLoaded() ? g_list.data() : nullptr;
}

frmbpdata* showEditor()
{
    if (!g_editor || !g_editor->isLoaded()) {
        auto* window = new frmbpdata(owner());
        g_editor = window;
        if (!window->Form_Load())
            return nullptr;
    } else {
        g_editor->rebindIfStale();
    }
    present(g_editor.data());
    return g_editor;
}

void closeEditor()
{
    if (g_editor)
        g_editor->close();
}

frmbpdata* editorWindow()
{
    return g_editor && g_editor->isLoaded() ? g_editor.data() : nullptr;
}

} // namespace DataWindows
