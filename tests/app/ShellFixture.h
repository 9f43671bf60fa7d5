#pragma once
// The fixture of the shell tests over data files: each test function opens
// a shown main window on a fresh settings store, and leaves nothing behind.
#include "AppTestSupport.h"
#include "data/DataTestSupport.h"
#include "support/ScriptedSeams.h"

namespace apptest {

inline frmMain* openShell()
{
    clearSettingsStore();
    auto* window = new frmMain;
    gMainWindow = window;
    window->show();
    return window;
}

inline void closeShell()
{
    ScriptedSeams quiet;
    tearDownShell();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetAll();
}

} // namespace apptest
