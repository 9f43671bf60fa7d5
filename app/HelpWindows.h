#pragma once
// The single instances of the slide show, the about box and the two
// company pages. Each is created when it is first shown, belongs to the
// main window (views/WindowPlacement.h), is never modal and ends when it
// is closed; showing it while it is open brings it to the front.
class frmAbout;
class frmInfo;
class frmIntro;
class frmSRdemo;

namespace HelpWindows {

frmSRdemo* showQuickUse();
frmAbout* showAbout();
frmIntro* showIntro();
frmInfo* showInfo();

// The open window, or nullptr.
frmSRdemo* quickUseWindow();
frmAbout* aboutWindow();
frmIntro* introWindow();
frmInfo* infoWindow();

} // namespace HelpWindows
