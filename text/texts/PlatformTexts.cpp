// Catalogue entries of the platform layer: the record set's own failures,
// which reach the windows as a failure's description, and printing a
// window: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"recordset.closed", "The record set is closed.", "Die Datensatzgruppe ist geschlossen."},
    {"recordset.noField", "Item cannot be found in the collection: no field %1.",
     "Das Element wurde in der Auflistung nicht gefunden: kein Feld %1."},
    {"recordset.connectionClosed", "The connection to the data file is closed.",
     "Die Verbindung zur Datendatei ist geschlossen."},
    {"recordset.columnsChanged", "The columns of table %1 changed.",
     "Die Spalten der Tabelle %1 haben sich geändert."},
    {"recordset.rowGone",
     "The record is no longer in the file; it was deleted elsewhere. The change was not written.",
     "Der Datensatz ist nicht mehr in der Datei; er wurde anderswo gelöscht. Die Änderung wurde nicht geschrieben."},

    // Printing a window (PrintForm): the PDF file offered without a printer.
    {"printForm.dlgTitle", "Print to PDF File", "Als PDF-Datei drucken"},
    {"printForm.dlgFilter", "PDF files (*.pdf)", "PDF-Dateien (*.pdf)"},
    {"printForm.msgFailed", "Cannot print to %1 !", "Drucken auf %1 nicht möglich !"},
};
} // namespace

extern const std::span<const CatalogueEntry> kPlatformTexts = entries;
