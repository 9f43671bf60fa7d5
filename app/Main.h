#pragma once
#include "print/Edition.h"

// Runs the program of one edition: QApplication, Main, event loop.
int runKorvane(int argc, char* argv[], EditionId edition);
