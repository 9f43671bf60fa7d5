#pragma once
// The single instances of the data list window and the record editor. A
// window is created (and loads) when it is first shown and ends when it is
// closed; showing it again loads it again.
//
// The windows that the list window opens (list report, trend chart, bar
// chart, reading window, ABPM summary, patient and recording) are handed in
// as hooks; a hook that is not set makes its button do nothing.
#include <functional>

class clsbpdata;
class frmList;
class frmbpdata;

namespace DataWindows {

struct ListHooks {
    // Shows the data list report bound to the given cursor ("Primary").
    std::function<void(clsbpdata* cursor)> showReport;
    std::function<void()> showTrend;
    std::function<void()> showBar;
    std::function<void()> showRead;
    std::function<void()> showAbpm;
    std::function<void()> showDetails;
};

void setListHooks(const ListHooks& hooks);
const ListHooks& listHooks();

// Shows the list window, loading it first when it is not loaded. Returns
// the window, or nullptr when it could not load (no data file ready).
frmList* showList();
// Unloads the list window when it is loaded.
void closeList();
// The loaded list window, or nullptr.
frmList* listWindow();

// The same for the record editor.
frmbpdata* showEditor();
void closeEditor();
frmbpdata* editorWindow();

} // namespace DataWindows
