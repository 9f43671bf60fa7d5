// Catalogue entries of the platform's own failures (record set, serial
// line, settings store), which reach the windows as a failure's
// description, and of its printer setup dialog: key, English, German.
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

    {"serial.failedDevice", "%1 , Device %2 (COM%3)", "%1 , Gerät %2 (COM%3)"},
    {"serial.invalidSettings", "Invalid Line Settings \"%1\"", "Ungültige Leitungseinstellungen \"%1\""},
    {"settings.notRegularFile", "Not a Regular File", "Keine normale Datei"},
    {"settings.lineBreak", "Line Break in Value", "Zeilenumbruch im Wert"},

    // Printer setup: chooses the printer everything prints on.
    {"printerSetup.lblPrinter", "&Printer:", "&Drucker:"},
    {"printerSetup.cmdProperties", "P&roperties...", "&Eigenschaften..."},
    {"printerSetup.noPrinter", "No printer is installed: printing offers a PDF file instead.",
     "Kein Drucker installiert: beim Drucken wird stattdessen eine PDF-Datei angeboten."},
};
} // namespace

extern const std::span<const CatalogueEntry> kPlatformTexts = entries;
