#pragma once
// The single instance of the ABPM summary window (frmAbpm), created and
// loaded when first shown, ended when closed; and the hook through which
// its Print button reaches the print preview (which lives in a higher
// layer). A hook that is not set makes Print do nothing.
#include "data/AbpmPeriods.h"
#include "data/AbpmSummary.h"

#include <QString>

#include <functional>

class frmAbpm;

// What the printed summary shows.
struct AbpmPrintRequest {
    AbpmSummary summary;
    AbpmPeriodChoice choice;
    QString dataFile;
    // The line naming the patient and the recording (detailsHeadline);
    // empty when the file gives none.
    QString headline = {};
};

namespace AbpmWindows {

using PrintHook = std::function<void(const AbpmPrintRequest& request)>;
void setPrintHook(const PrintHook& hook);
const PrintHook& printHook();

// Shows the window, loading it first when it is not loaded. Returns the
// window, or nullptr when the data file could not be opened.
frmAbpm* showSummary();
void closeSummary();
// The shown window, or nullptr.
frmAbpm* summaryWindow();

} // namespace AbpmWindows
