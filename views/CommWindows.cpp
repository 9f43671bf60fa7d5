#include "views/CommWindows.h"

#include "views/frmComm.h"
#include "views/frmRead.h"
#include "views/frmReadwave.h"
#include "views/DataWindows.h"
#include "views/WindowPlacement.h"

#include <QPointer>

namespace {

QPointer<frmRead> g_read;
QPointer<frmReadwave> g_wave;
QPointer<frmComm> g_comm;
std::function<void()> g_showList;

void bringToFront(QWidget* window)
{
    WindowPlacement::placeOnFirstShow(window);
    window->show();
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

} // namespace

namespace CommWindows {

frmRead* readWindow()
{
    return g_read;
}

frmRead* loadReadWindow()
{
    if (!g_read) {
        g_read = new frmRead;
        WindowPlacement::adopt(g_read);
        g_read->setAttribute(Qt::WA_DeleteOnClose);
    }
    return g_read;
}

void showReadWindow()
{
    bringToFront(loadReadWindow());
}

frmReadwave* waveWindow()
{
    return g_wave;
}

frmReadwave* loadWaveWindow()
{
    if (!g_wave) {
        g_wave = new frmReadwave;
        WindowPlacement::adopt(g_wave);
        g_wave->setAttribute(Qt::WA_DeleteOnClose);
    }
    return g_wave;
}

void showWaveWindow()
{
    bringToFront(loadWaveWindow());
}

frmComm* commWindow()
{
    return g_comm;
}

void showCommWindow()
{
    if (!g_comm) {
        g_comm = new frmComm;
        WindowPlacement::adopt(g_comm);
        g_comm->setAttribute(Qt::WA_DeleteOnClose);
    }
    bringToFront(g_comm);
}

void setShowListWindow(std::function<void()> show)
{
    g_showList = std::move(show);
}

void showListWindow()
{
    if (g_showList)
        g_showList();
    else
        DataWindows::showList();
}

} // namespace CommWindows
