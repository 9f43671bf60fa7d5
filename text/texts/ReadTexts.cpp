// Catalogue entries of the blood-pressure reading window: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmRead.caption", "Read data", "Daten lesen"},
    {"frmRead.cmdClose", "Close", "Schließen"},
    {"frmRead.cmdRetry", "Retry", "Erneuter Versuch"},
    {"frmRead.Check1", "Standby", "Standby"},
    {"frmRead.Frame1", "Data Records", "Protokolle"},
    {"frmRead.Label1",
     "0      10      20      30      40      50      60      70      80      90     100",
     "0      10      20      30      40      50      60      70      80      90     100"},

    // Status bar: the design texts, then the texts of a reading run.
    {"frmRead.sbDesign1", "Ready", "Ready"},
    {"frmRead.sbDesign2", "Press Send Key to Reading", "Press Send Key to Reading"},
    {"frmRead.sbReady", "Ready", "Wenn bereit"},
    {"frmRead.sbPressSend", "Press Send Key to Start Reading",
     "auf Senden drücken, um Lesevorgang zu starten"},
    {"frmRead.sbWaiting", "[Close] to Save Data , Waiting for Data Now!",
     "[Schließen]: Daten speichern "},
    {"frmRead.sbReadOk", "Read OK", "lesen OK"},
    {"frmRead.sbCloseOrRetry", "[Close] to Save Data , [Retry] to Reset",
     "[Schließen]: Daten speichern , [Erneuter Versuch] to Reset"},

    // Value boxes while no record has arrived.
    {"frmRead.Text2", "SYS.: ", "SYS.: "},
    {"frmRead.Text3", "DIA.: ", "DIA.: "},
    {"frmRead.Text4", "H.R.: ", "H.R.: "},
    {"frmRead.Text6", "Date: ", "Datum: "},
    {"frmRead.Text5", "Time: ", "Uhrzeit: "},

    // The close question: before and after the file path.
    {"frmRead.msgSaveBefore", "Save Data to File ", "Daten Speichern "},
    {"frmRead.msgSaveAfter", " ? ", " ? "},
    // Main window's Records panel after storing, after the count.
    {"frmRead.sbRecords", " Records", " Protokolle"},
    {"frmRead.msgCommFailure", " Connecting Install or Communication Setting Incorrect !",
     " Connecting Install or Communication Setting Incorrect !"},

    // Storing failed: %1 why, %2 how many readings are kept.
    {"frmRead.msgStoreFailed",
     "Readings Not Stored ! , %1\n\nThe %2 Readings Received Are Kept . Store Them in a New Data File ?",
     "Messwerte nicht gespeichert ! , %1\n\nDie %2 empfangenen Messwerte bleiben erhalten . In einer neuen Datendatei speichern ?"},
    {"frmRead.msgFileUnavailable", "The Data File Can not Be Opened", "Die Datendatei kann nicht geöffnet werden"},
    {"frmRead.msgNoFileOpen", "No Data File Is Open", "Keine Datendatei geöffnet"},
    // A data file that cannot take readings is refused before a run.
    {"frmRead.msgReadOnly",
     "File  %1  Is Read Only , Readings Can not Be Stored in It ! Open or Create Another Data File .",
     "Datei  %1  ist schreibgeschützt , Messwerte können nicht gespeichert werden ! Andere Datendatei öffnen oder neu anlegen ."},

    // Accessible names of the three indicator pictures (they have no text).
    {"frmRead.Picture1", "Receiving", "Empfang"},
};
} // namespace

extern const std::span<const CatalogueEntry> kReadTexts = entries;
