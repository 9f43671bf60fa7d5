#pragma once
// Sending the result of the current recording to the practice system: the
// ABPM summary of the current data file (with its details and the readings
// set aside), the report as a PDF beside the result when the settings ask
// for it, then the 6310 under the next free result name. The PDF is in
// place before the result appears, and each appears whole or not at all; a
// result that cannot be written takes its PDF back, so nothing half-sent
// stays. Nothing in the data file changes.
//
// The PDF is made by the caller's maker (the layer that prints), handed a
// path to write to.
#include "data/AbpmSummary.h"
#include "data/RecordingDetails.h"
#include "exchange/GdtSettings.h"

#include <QString>

#include <functional>

using GdtPdfMaker = std::function<bool(const AbpmSummary& summary, const QString& path, QString* why)>;

struct GdtSendOutcome {
    QString resultPath; // empty: nothing was sent
    QString pdfPath;    // empty: none attached
    QString problem;    // why nothing was sent, in the current edition

    bool sent() const { return !resultPath.isEmpty(); }
};

// Sends for given figures and details (no data file needed).
GdtSendOutcome sendGdtResult(const GdtSettings& settings, const AbpmSummary& summary,
                             const RecordingDetails& details, const GdtPdfMaker& makePdf);
// Sends for the current data file (gDataFile), its periods as set.
GdtSendOutcome sendCurrentGdtResult(const GdtSettings& settings, const GdtPdfMaker& makePdf);
