#pragma once
#include "text/Edition.h"

// Loads the settings into the shared state: the file-system service,
// gCommSet, gCommPort and gLoginRequired.
void LoadSettings();

// The start sequence: settings (a store that cannot be read is named, with
// why, and its defaults are in force), main window (loaded, hidden), the
// login when required, then the main window with the splash window over it.
// Returns false when the login failed and the program ends at once (the
// main window has then been unloaded and deleted; gMainWindow is null).
bool Main();

// Runs the program of one edition: QApplication, Main, event loop.
int runKorvane(int argc, char* argv[], EditionId edition);
