// Catalogue entries of the data list report and of the print preview
// window that every printed document shares: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // The report as it prints.
    {"DataReport1.caption", "Data List Report", "Datentabelle Drucken "},
    {"DataReport1.Label9", "Data List", "Datentabelle"},
    {"DataReport1.Label1", "ID", "Nr."},
    {"DataReport1.Label2", "Date", "Datum"},
    {"DataReport1.Label3", "Time", "Uhrzeit"},
    {"DataReport1.Label4", "SYS_mmHg", "SYS_mmHg"},
    {"DataReport1.Label5", "DIA_mmHg", "DIA_mmHg"},
    {"DataReport1.Label6", "MAP_mmHg", "MAP_mmHg"},
    {"DataReport1.Label7", "Pulse_min", "Puls/Min."},
    {"DataReport1.Label10", "End", "Ende"},

    // The print preview window's own controls.
    {"ReportPreview.actFirstPage", "First Page", "Erste Seite"},
    {"ReportPreview.actPreviousPage", "Previous Page", "Vorherige Seite"},
    {"ReportPreview.actNextPage", "Next Page", "Nächste Seite"},
    {"ReportPreview.actLastPage", "Last Page", "Letzte Seite"},
    {"ReportPreview.spnPage", "Page", "Seite"},
    {"ReportPreview.lblPageCount", "of %1", "von %1"},
    {"ReportPreview.cboZoom", "Zoom", "Zoom"},
    {"ReportPreview.zoomFitPage", "Whole Page", "Ganze Seite"},
    {"ReportPreview.zoomFitWidth", "Page Width", "Seitenbreite"},
    {"ReportPreview.actPrint", "Print", "Drucken"},
    {"ReportPreview.actSavePdf", "Save as PDF", "Als PDF speichern"},
    {"ReportPreview.actClose", "Exit", "Beenden"},
    {"ReportPreview.pageView", "Report Page", "Berichtsseite"},
    {"ReportPreview.dlgSavePdfTitle", "Save as PDF", "Als PDF speichern"},
    {"ReportPreview.dlgPdfFilter", "PDF document (*.pdf)", "PDF-Dokument (*.pdf)"},

    // Failures of the report; %1 names what is missing or the file.
    {"DataReport1.msgColumnsMissing", "Print Data List Report Failure ! , Columns Not Found : %1",
     "Datentabelle Drucken nicht möglich ! , Spalten fehlen : %1"},
    {"DataReport1.msgPrinterNotReady", "Print Data List Report Failure ! , Printer Not Ready !",
     "Datentabelle Drucken nicht möglich ! , Drucker nicht bereit !"},
    {"ReportPreview.reasonNotWritable", "File Can not Be Written", "Datei nicht beschreibbar"},
};
} // namespace

extern const std::span<const CatalogueEntry> kPrintTexts = entries;
