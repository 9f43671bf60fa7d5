#pragma once
// The result of an ambulatory recording for the practice system: the
// figures of the ABPM summary as GDT test blocks, the findings in words
// (6220) and a fixed-width table of the periods (6228), in the current
// edition's language. Pure: the summary and the recording's details in,
// the values of a 6310 out (GdtResult.h writes them).
//
// Test idents: SYS24, DIA24, MAP24, PULS24 (24-hour means, time-weighted
// as the thresholds are read against them), SYSTAG,
// DIATAG, PULSTAG (day), SYSNACHT, DIANACHT, PULSNACHT (night), DIPSYS,
// DIPDIA (night fall in %), ANZAHL (readings), GUELTIG (valid readings).
// Values have one decimal and a point, as the summary shows them (the two
// counts, ANZAHL and GUELTIG, are whole numbers without one); a figure
// the summary has not (no night readings) leaves its block out, so that the
// practice system never takes a missing value for a zero. The findings name
// the set of thresholds, each period's means with the pressure at or above
// its threshold, the 24-hour means of all readings, and the night/day
// ratio with its class.
#include "data/AbpmSummary.h"
#include "data/RecordingDetails.h"
#include "exchange/GdtResult.h"

#include <QString>

inline constexpr const char* kGdtAbpmProcedure = "BDM01";


struct GdtAddressing {
    QString pvsId;
    QString ownId;
    GdtCharset charset = GdtCharset::Cp437;
};

// The patient, the start (the first reading's moment when not given), the
// physician (8990) and the office class come from the details.
GdtResult gdtAbpmResult(const AbpmSummary& summary, const RecordingDetails& details,
                        const GdtAddressing& addressing);

// The details' patient as GDT carries it.
GdtPatient gdtPatientOf(const RecordingDetails& details);

// A value as 8420 writes it: one decimal, a point.
QString gdtValue(double value);
