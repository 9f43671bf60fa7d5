#pragma once
// The single instances of the serial settings window and the two reading
// windows (blood pressure, ECG waveform): each is created when it is first needed,
// lives until it is closed, and showing it again brings the existing
// window to the front.
#include <functional>

class frmComm;
class frmRead;
class frmReadwave;
class QWidget;

namespace CommWindows {

// The reading window if it is loaded, else nullptr.
frmRead* readWindow();
// Loads the reading window without showing it (its load step runs).
frmRead* loadReadWindow();
// Shows the reading window (loading it if needed) and makes it the active
// window, which starts a reading run.
void showReadWindow();

// The same for the ECG waveform window.
frmReadwave* waveWindow();
frmReadwave* loadWaveWindow();
void showWaveWindow();

frmComm* commWindow();
void showCommWindow();

// How the reading window shows the list window after saving: the data
// list window's own single instance, unless another way is set (tests).
void setShowListWindow(std::function<void()> show);
void showListWindow();

} // namespace CommWindows
