// Catalogue entries of the recordings window (the recordings of a folder):
// key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmMain.mnuFileRecordings", "&Recordings...", "&Aufzeichnungen..."},
    {"recordings.caption", "Recordings", "Aufzeichnungen"},
    {"recordings.lblFolder", "&Folder:", "&Ordner:"},
    {"recordings.lblSearch", "&Search:", "&Suchen:"},
    {"recordings.searchHint", "Name or number", "Name oder Nummer"},
    {"recordings.cmdOpen", "&Open", "Ö&ffnen"},
    {"recordings.cmdCompare", "Co&mpare...", "&Vergleichen..."},
    {"recordings.cmdClose", "&Close", "S&chließen"},
    {"recordings.progressName", "Reading the folder", "Ordner wird gelesen"},
    {"recordings.colName", "Patient", "Patient"},
    {"recordings.colNumber", "Number", "Nummer"},
    {"recordings.colBorn", "Born", "Geboren"},
    {"recordings.colStart", "Start", "Beginn"},
    {"recordings.colReadings", "Readings", "Messungen"},
    {"recordings.colValid", "Valid", "Gültig"},
    {"recordings.col24h", "24 h", "24 h"},
    {"recordings.colAwake", "Awake", "Wach"},
    {"recordings.colAsleep", "Asleep", "Schlaf"},
    {"recordings.colDipping", "Dipping", "Absenkung"},
    {"recordings.colConclusion", "Conclusion", "Befund"},
    {"recordings.colSent", "Sent to Practice", "An Praxis gesendet"},
    {"recordings.colFile", "File", "Datei"},
    {"recordings.colState", "State", "Zustand"},
    {"recordings.yes", "Yes", "Ja"},
    {"recordings.no", "No", "Nein"},
    // %1 shown, %2 in the folder.
    {"recordings.lblCount", "%1 of %2 Recordings", "%1 von %2 Aufzeichnungen"},
    {"recordings.lblLooking", "Reading the Folder: %1 of %2 Files", "Ordner wird gelesen: %1 von %2 Dateien"},
    {"recordings.lblUnreachable", "Folder Not Reachable ! , The List Shows What Was Seen Last",
     "Ordner nicht erreichbar ! , Die Liste zeigt den zuletzt gesehenen Stand"},
    {"recordings.msgNoFolder", "Folder  %1  Not Found !", "Ordner  %1  nicht gefunden !"},
};
} // namespace

extern const std::span<const CatalogueEntry> kRecordingsTexts = entries;
