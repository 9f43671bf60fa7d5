// Catalogue entries of the follow-up comparison of a patient's recordings
// (its page and its window): key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // The window.
    {"compare.caption", "Compare Recordings", "Aufzeichnungen vergleichen"},
    {"compare.msgPrinterNotReady", "Printing of the Comparison Failed ! , %1",
     "Drucken des Vergleichs fehlgeschlagen ! , %1"},
    // %1 and %2 the least and the most recordings compared, %3 how many were chosen.
    {"compare.msgCount", "Choose %1 to %2 Recordings to Compare ! , %3 Chosen",
     "Zum Vergleich %1 bis %2 Aufzeichnungen wählen ! , %3 gewählt"},

    // The page.
    {"compare.msgUnreadable", "The Recording Cannot Be Compared ! , %1 : %2",
     "Die Aufzeichnung kann nicht verglichen werden ! , %1 : %2"},
    {"compare.title", "Follow-up Comparison of ABPM Recordings", "Verlaufsvergleich der ABDM-Aufzeichnungen"},
    {"compare.lblNoPatient", "Patient: not given", "Patient: nicht angegeben"},
    {"compare.lblOtherPatients", "These recordings name different patients !",
     "Diese Aufzeichnungen nennen verschiedene Patienten !"},
    // %1 the recording's name, %2 its span, %3 its readings.
    {"compare.lblRecordingLine", "%1: %2, %3 readings", "%1: %2, %3 Messungen"},
    {"compare.lblSpan", "%1 to %2", "%1 bis %2"},
    {"compare.lblNoSpan", "no reading has a date and time", "keine Messung hat Datum und Uhrzeit"},
    {"compare.colRecording", "Recording %1", "Aufzeichnung %1"},
    {"compare.colRecordingOn", "Recording %1 (%2)", "Aufzeichnung %1 (%2)"},
    {"compare.colChange", "Change", "Änderung"},
    {"compare.rowValidReadings", "Valid readings", "Gültige Messungen"},
    {"compare.rowValidShare", "Valid share", "Gültiger Anteil"},
    {"compare.rowFit", "Fit for diagnosis", "Zur Diagnose geeignet"},
    {"compare.yes", "yes", "ja"},
    {"compare.no", "no", "nein"},
    {"compare.rowMean24", "24-hour mean", "24-Stunden-Mittel"},
    {"compare.rowMeanAwake", "Awake mean", "Wachmittel"},
    {"compare.rowMeanAsleep", "Asleep mean", "Schlafmittel"},
    {"compare.rowRatio", "Night/day ratio", "Nacht/Tag-Quotient"},
    {"compare.rowDipClass", "Dipping class", "Dipping-Typ"},
    {"compare.rowLoad24", "Load 24 hours", "Last 24 Stunden"},
    {"compare.rowLoadAwake", "Load awake", "Last wach"},
    {"compare.rowLoadAsleep", "Load asleep", "Last Schlaf"},
    {"compare.rowOffice", "Office pressure", "Praxisblutdruck"},
    {"compare.rowOfficeClass", "Office class", "Praxis gegen ambulant"},
    {"compare.hdProfile", "Hourly means from noon to noon (mmHg)", "Stundenmittel von Mittag bis Mittag (mmHg)"},
    {"compare.legendPressures", "Upper lines systolic (bold), lower lines diastolic",
     "Obere Linien systolisch (fett), untere diastolisch"},
};
} // namespace

extern const std::span<const CatalogueEntry> kComparisonTexts = entries;
