// Catalogue entries of the data list report and its preview window: key,
// English, German.
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

    // The preview window's own controls.
    {"DataReport1.actFirstPage", "First Page", "Erste Seite"},
    {"DataReport1.actPreviousPage", "Previous Page", "Vorherige Seite"},
    {"DataReport1.actNextPage", "Next Page", "Nächste Seite"},
    {"DataReport1.actLastPage", "Last Page", "Letzte Seite"},
    {"DataReport1.spnPage", "Page", "Seite"},
    {"DataReport1.lblPageCount", "of %1", "von %1"},
    {"DataReport1.cboZoom", "Zoom", "Zoom"},
    {"DataReport1.zoomFitPage", "Whole Page", "Ganze Seite"},
    {"DataReport1.zoomFitWidth", "Page Width", "Seitenbreite"},
    {"DataReport1.actPrint", "Print", "Drucken"},
    {"DataReport1.actSavePdf", "Save as PDF", "Als PDF speichern"},
    {"DataReport1.actClose", "Exit", "Beenden"},
    {"DataReport1.pageView", "Report Page", "Berichtsseite"},
    {"DataReport1.dlgSavePdfTitle", "Save as PDF", "Als PDF speichern"},
    {"DataReport1.dlgPdfFilter", "PDF document (*.pdf)", "PDF-Dokument (*.pdf)"},

    // Failures of the report; %1 names what is missing or the file.
    {"DataReport1.msgColumnsMissing", "Print Data List Report Failure ! , Columns Not Found : %1",
     "Datentabelle Drucken nicht möglich ! , Spalten fehlen : %1"},
    {"DataReport1.msgPrinterNotReady", "Print Data List Report Failure ! , Printer Not Ready !",
     "Datentabelle Drucken nicht möglich ! , Drucker nicht bereit !"},
    {"DataReport1.reasonNotWritable", "File Can not Be Written", "Datei nicht beschreibbar"},
};
} // namespace

extern const std::span<const CatalogueEntry> kPrintTexts = entries;
