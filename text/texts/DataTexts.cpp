// Catalogue entries of the file commands and the record cursor: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // File dialogs of New, Open and Save.
    {"frmMain.dlgNewTitle", "New File", "Neu"},
    {"frmMain.dlgOpenTitle", "Open File", "Öffnen"},
    {"frmMain.dlgSaveTitle", "Save File", "Speichern"},
    {"frmMain.dlgFilter", "AMB data (*.amb)", "AMB data (*.amb)"},

    // Messages of the file commands; the path goes between prefix and rest.
    {"frmMain.msgFilePrefix", "File  ", "Datei  "},          // New, Save
    {"frmMain.msgFilePrefixOpen", "File  ", "Datei "},       // Open, new-file question
    {"frmMain.msgFilePrefixSystem", "File ", "Datei "},      // system file
    {"frmMain.msgExistsOpenNow", "  Exists ! , Open Now", "  Exists ! , Öffnen"},
    {"frmMain.msgExistsOverwrite", "  Exists ! , OverWrite ?", " Überschreiben ?"},
    {"frmMain.msgNewIsNewFile", "  Is a New File ! , Create Now", "  , Neu Datei ! , Öffnen"},
    {"frmMain.msgOpenIsNewFile", "  Is a New File ! , Create Now", "  ,Neu Datei ! , Öffnen"},
    {"frmMain.msgSystemFile", " Is KORVANE System File , Can not Open !",
     " ,KORVANE System Datei , Schließen !"},
    {"frmMain.msgNewTemplateMissing",
     "KORVANE System File New.amb Not Found , Change to Correct Path !",
     "KORVANE System Datei New.amb Not Found , Change to Correct Path !"},
    {"frmMain.msgOpenTemplateMissing",
     "KORVANE System File New.amb Not Found , Change to Correct Path !",
     "KORVANE System File New.amb Not Found , Change to Correct Path !"},
    {"frmMain.msgFileNotReadySave", "Save File Failure ! , File Not Ready !", "Wird das Öffnen Datei !"},

    // Record cursor.
    {"clsbpdata.msgNoFile", "Open Data Table Failure ! , File Not Ready !", "Wird das Öffnen Datei !"},

    // A file that cannot be opened, created or saved: %1 the path, %2 the reason.
    {"data.msgCannotOpen", "File  %1  Can not Open ! , %2", "Datei  %1  kann nicht geöffnet werden ! , %2"},
    {"data.msgCannotCreate", "File  %1  Can not Create ! , %2", "Datei  %1  kann nicht erstellt werden ! , %2"},
    {"data.msgCannotSave", "File  %1  Can not Save ! , %2", "Datei  %1  kann nicht gespeichert werden ! , %2"},
    {"data.msgSaveOntoItself", "File  %1  Is the Open File , Can not Save onto Itself !",
     "Datei  %1  ist die geöffnete Datei , Speichern auf sich selbst nicht möglich !"},
    {"data.msgNewFileExists", "File  %1  Exists ! , Choose a New Name for the New Data File",
     "Datei  %1  existiert bereits ! , Einen neuen Namen für die neue Datendatei wählen"},
    {"data.reasonMissing", "File Not Found", "Datei nicht gefunden"},
    {"data.reasonNotAFile", "Not a File", "Keine Datei"},
    {"data.reasonNotADatabase", "Not an AMB Data File", "Keine AMB-Datei"},
    {"data.reasonDamaged", "File Damaged", "Datei beschädigt"},
    {"data.reasonNoTable", "Not an AMB Data File (No Table ambpdata)",
     "Keine AMB-Datei (keine Tabelle ambpdata)"},
    {"data.reasonOtherEdition", "Made by the Other Edition (German)",
     "Von der anderen Ausgabe (Englisch) erstellt"},
    {"data.reasonWrongColumns", "Columns of Table ambpdata Do Not Match",
     "Spalten der Tabelle ambpdata passen nicht"},
    {"data.reasonInUse", "File In Use by Another Program or Another KORVANE Window , Close It There and Try Again",
     "Datei wird von einem anderen Programm oder einem anderen KORVANE-Fenster benutzt , dort schließen und erneut versuchen"},
    {"data.reasonCannotRecover",
     "File Left Unfinished by a Crash and Can not Be Recovered Without Write Access (Check the Permissions of the File and its Folder)",
     "Datei nach einem Absturz unvollständig , ohne Schreibrecht nicht wiederherstellbar (Rechte der Datei und ihres Ordners prüfen)"},
    {"data.reasonUnfinished", "File Being Written (a Journal Lies Beside It) , Try Again Later",
     "Datei wird gerade geschrieben (ein Journal liegt daneben) , später erneut versuchen"},
    {"data.reasonUnreadable", "File Can not Be Read", "Datei nicht lesbar"},
};
} // namespace

extern const std::span<const CatalogueEntry> kDataTexts = entries;
