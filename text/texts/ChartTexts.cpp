// Catalogue entries of the bar chart and trend chart windows, their point
// and series panels, and the printing of a window: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Bar chart window.
    {"frmBar.caption", "Bar Chart Data", "Balkendiagramm"},
    {"frmBar.captionAtLoad", "BP Data Bar Chart ", nullptr},
    {"frmBar.axisPressure", "Pressure mmHg", "Blutdruck mmHg"},
    {"frmBar.axisSecondary", "Pulse / min. , Pressure / mmHg", "Puls / Min. , Blutdruck / mmHg"},
    {"frmBar.tbA4", "A4 View", "A4 View"},
    {"frmBar.tbA5", "A5 View", "A5 View"},
    {"frmBar.tbA6", "A6 View", "A6 View"},
    {"frmBar.tbPrint", "Print", "Drucken"},
    {"frmBar.tbClose", "    Exit   ", "Beenden"},
    {"frmBar.tbSYS", "SYS-DIA", "SYS-DIA"},
    {"frmBar.tbDIA", "DIA.", "DIA."},
    {"frmBar.tbMAP", "MAP", "MAP"},
    {"frmBar.tbPulse", "Pulse", "Puls"},
    {"frmBar.msgNotReady", "Open Data Bar Chart Failure ! , File Not Ready !", "Wird das Öffnen Datei !"},
    {"frmBar.StatusBar1", "File: ", "Datei: "},
    // Names for screen readers.
    {"frmBar.chtReport", "Bar chart", "Balkendiagramm"},

    // Trend chart window.
    {"frmWave.caption", "Graphic trend data", "Trendgrafik"},
    {"frmWave.captionAtLoad", "Graphic trend data", nullptr},
    {"frmWave.axisPressure", "Pressure mmHg", "Blutdruck mmHg"},
    {"frmWave.axisSecondary", "Pulse / min.", "Puls / Min."},
    {"frmWave.tbA4", "A4 View", "A4 View"},
    {"frmWave.tbA5", "A5 View", "A5 View"},
    {"frmWave.tbA6", "A6 View", "A6 View"},
    {"frmWave.tbPrint", "Print", "Drucken"},
    {"frmWave.tbClose", "    Exit    ", "Beenden "},
    {"frmWave.tbSYS", "SYS.", "SYS."},
    {"frmWave.tbDIA", "DIA.", "DIA."},
    {"frmWave.tbMAP", "MAP", "MAP"},
    {"frmWave.tbPulse", "Pulse", "Puls"},
    {"frmWave.msgNotReady", "Can not Open Graphic trend data ! , File Not Ready !", "Wird das Öffnen Datei !"},
    {"frmWave.StatusBar1", "File: ", "Datei: "},
    {"frmWave.chtReport", "Trend chart", "Trendgrafik"},

    // Point and series panels of both chart windows.
    {"chart.Text1", "SYS. : ", "SYS. : "},
    {"chart.Text2", "DIA. : ", "DIA. : "},
    {"chart.Text3", "MAP  : ", "MAP  : "},
    {"chart.Text4", "PULSE: ", "PULSE: "},
    {"chart.Text7", "[WHO] Classify : ", "[WHO] Classify : "},
    {"chart.Systolic", "Systolic", "Systolisch"},
    {"chart.SystolicDiastolic", "Systolic - Diastolic", "Systolisch - Diastolisch"},
    {"chart.Diastolic", "Diastolic", "Diastolisch"},
    {"chart.MAP", "MAP", "MAP"},
    {"chart.Pulse", "Pulse", "Pulse"},
    {"chart.SysAverage", "SYS Average : ", "SYS.M.V. : "},
    {"chart.DiaAverage", "DIA Average : ", "DIA.M.V. : "},
    {"chart.Average", "Average : ", "M.V. : "},
    {"chart.Deviation", "Standard Deviation : ", "S.D. : "},
    {"chart.Maximum", "Maximum: ", "MAX. : "},
    {"chart.Minimum", "Minimum: ", "MIN. : "},
    {"chart.MinimumBarDiastolic", "Minimum: ", "MIN.: "},
    {"chart.Records", "Records : ", "Protokolle : "},
    // Names and hints for screen readers.
    {"chart.chtReportHint", "Left, Right, Home and End choose a record; Enter shows it.",
     "Links, Rechts, Pos1 und Ende wählen ein Protokoll; Eingabe zeigt es."},
    {"chart.HScroll4", "First record shown", "Erstes angezeigtes Protokoll"},
    {"chart.Frame1", "Statistic", "Statistik"},
    {"chart.Frame2", "Record", "Protokoll"},
    // A picked record that the shared record set does not hold (deleted or
    // added in the file since it was opened).
    {"chart.msgRecordNotOpen", "Record %1 is not in the open records.", "Protokoll %1 ist nicht unter den geöffneten Protokollen."},

    // Printing a window.
    {"printWindow.dlgTitle", "Print to PDF File", "Als PDF-Datei drucken"},
    {"printWindow.dlgFilter", "PDF files (*.pdf)", "PDF-Dateien (*.pdf)"},
    {"printWindow.msgCannotPrint", "Cannot print to %1.", "Drucken auf %1 nicht möglich."},
    {"printWindow.msgCannotWrite", "Cannot write the file %1: %2", "Die Datei %1 kann nicht geschrieben werden: %2"},
};
} // namespace

extern const std::span<const CatalogueEntry> kChartTexts = entries;
