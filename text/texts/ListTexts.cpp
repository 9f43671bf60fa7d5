// Catalogue entries of the data list window and the record editor: key,
// English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Data list window.
    {"frmList.caption", "Table list data", "Datentabelle"},
    {"frmList.cmdPrint", "Print", "Drucken"},
    {"frmList.cmdSort", "Trend", "Trend"},
    {"frmList.cmdbar", "Analysis", "Analyse"},
    {"frmList.cmdRead", "Read", "Lesen"},
    {"frmList.cmdEdit", "Edit", "Bearbeiten"},
    {"frmList.cmdAdd", "Add", "Hinzufügen"},
    {"frmList.cmdCancel", "Cancel", "Abbrechen"},
    {"frmList.cmdDelete", "Delete", "Löschen"},
    {"frmList.cmdUpdate", "Update", "Aktualisierung"},
    {"frmList.cmdRefresh", "Refresh", "Aktualisieren"},
    {"frmList.cmdClose", "Exit", "Beenden"},
    {"frmList.lblRecord", "Record: ", "Protokolle: "},
    {"frmList.statusAddEdit", "Add & Edit Record", "Protokolle Hinzufügen & Bearbeiten"},
    {"frmList.statusEdit", "Edit Record", "Protokolle Bearbeiten"},
    {"frmList.msgDelete", "Delete Record ?", "Protokolle Löschen ?"},
    // Names of the picture-only navigation buttons, for screen readers.
    {"frmList.cmdFirst", "First", "Erster"},
    {"frmList.cmdPrevious", "Previous", "Vorheriger"},
    {"frmList.cmdNext", "Next", "Nächster"},
    {"frmList.cmdLast", "Last", "Letzter"},

    // Record editor.
    {"frmbpdata.caption", "Data Editor", "Daten bearbeiten"},
    {"frmbpdata.cmdAdd", "Add", "Hinzufügen"},
    {"frmbpdata.cmdDelete", "Delete", "Löschen"},
    {"frmbpdata.cmdClose", "Exit", "Beenden"},
    {"frmbpdata.Frame1_0", "ID", "Nr."},
    {"frmbpdata.Frame1_1", "Date", "Datum"},
    {"frmbpdata.Frame1_2", "Time", "Uhrzeit"},
    {"frmbpdata.Frame1_3", "SYS. mmHg", "SYS. mmHg"},
    {"frmbpdata.Frame1_4", "DIA. mmHg", "DIA. mmHg"},
    {"frmbpdata.Frame1_5", "MAP mmHg", "MAP mmHg"},
    {"frmbpdata.Frame1_6", "Pulse/min.", "Puls/Min."},
    {"frmbpdata.Frame1_7", "Mark", "Mark"},
    {"frmbpdata.lblRecord", "Record: ", "Protokolle: "},
    {"frmbpdata.statusNew", "New Record", "Neu Protokolle"},
    {"frmbpdata.msgDelete", "Delete Record ?", "Protokolle Löschen ?"},
    {"frmbpdata.cmdFirst", "First", "Erster"},
    {"frmbpdata.cmdPrevious", "Previous", "Vorheriger"},
    {"frmbpdata.cmdNext", "Next", "Nächster"},
    {"frmbpdata.cmdLast", "Last", "Letzter"},
};
} // namespace

extern const std::span<const CatalogueEntry> kListTexts = entries;
