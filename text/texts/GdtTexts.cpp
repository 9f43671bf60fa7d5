// Catalogue entries of the link with the practice system (GDT): the
// request reader's reasons, the result's test names and findings, the
// settings window, the commands and their messages: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Why a request file is not taken.
    {"gdt.errEmpty", "The file is empty", "Die Datei ist leer"},
    {"gdt.errNotGdt", "Not a GDT file: the first line is no record type (8000)",
     "Keine GDT-Datei: die erste Zeile ist keine Satzart (8000)"},
    {"gdt.errNotField", "Not a GDT field (length and field ID)", "Kein GDT-Feld (Länge und Feldkennung)"},
    {"gdt.errTwice", "Field %1 is given twice with different contents", "Feld %1 steht zweimal mit verschiedenem Inhalt"},
    {"gdt.errRecordType", "Record type %1 is no request this program takes",
     "Satzart %1 ist keine Anforderung, die dieses Programm annimmt"},
    {"gdt.errCharset", "Unknown character set %1 (9206)", "Unbekannter Zeichensatz %1 (9206)"},
    {"gdt.errNoPatient", "No patient number (3000)", "Keine Patientennummer (3000)"},
    {"gdt.errBirthDate", "The birth date %1 is no date (DDMMYYYY)", "Das Geburtsdatum %1 ist kein Datum (TTMMJJJJ)"},
    {"gdt.errSex", "The sex %1 can not be read (3110)", "Das Geschlecht %1 ist nicht lesbar (3110)"},
    {"gdt.errTooLarge", "The file is too large for a request", "Die Datei ist zu groß für eine Anforderung"},
    {"gdt.errUnreadable", "The file can not be read: %1", "Die Datei ist nicht lesbar: %1"},
    {"gdt.errNotRegular", "This is no ordinary file (a FIFO, a device, a folder or a link to one)",
     "Dies ist keine gewöhnliche Datei (eine FIFO, ein Gerät, ein Ordner oder eine Verknüpfung darauf)"},
    {"gdt.errIncomplete", "The file stayed incomplete for %1 seconds: its record length (8100) says %2 bytes, it has %3",
     "Die Datei blieb %1 Sekunden unvollständig: ihre Satzlänge (8100) sagt %2 Byte, sie hat %3"},
    {"gdt.errNoLength", "nothing readable", "nichts Lesbares"},

    // Why a file could not be written, moved or read.
    {"gdt.causeNoSpace", "no space left on the disk", "kein Platz mehr auf dem Datenträger"},
    {"gdt.causeNoPermission", "no permission (access denied)", "keine Berechtigung (Zugriff verweigert)"},
    {"gdt.causeFolderGone", "the folder is not there (any more)", "der Ordner ist nicht (mehr) vorhanden"},
    {"gdt.causeReadOnly", "the disk is write-protected", "der Datenträger ist schreibgeschützt"},
    {"gdt.causeOther", "%1 (error %2)", "%1 (Fehler %2)"},
    {"gdt.causeFailedNotFolder", "not a folder of its own (a link or a file); nothing is moved there",
     "kein eigener Ordner (eine Verknüpfung oder eine Datei); nichts wird dorthin verschoben"},

    // The result's test names (8411).
    {"gdt.testSys24", "Systolic mean 24 h", "Systolischer Mittelwert 24 h"},
    {"gdt.testDia24", "Diastolic mean 24 h", "Diastolischer Mittelwert 24 h"},
    {"gdt.testMap24", "Mean arterial pressure 24 h", "Mittlerer arterieller Druck 24 h"},
    {"gdt.testPulse24", "Pulse mean 24 h", "Puls Mittelwert 24 h"},
    {"gdt.testSysDay", "Systolic mean day", "Systolischer Mittelwert Tag"},
    {"gdt.testDiaDay", "Diastolic mean day", "Diastolischer Mittelwert Tag"},
    {"gdt.testPulseDay", "Pulse mean day", "Puls Mittelwert Tag"},
    {"gdt.testSysNight", "Systolic mean night", "Systolischer Mittelwert Nacht"},
    {"gdt.testDiaNight", "Diastolic mean night", "Diastolischer Mittelwert Nacht"},
    {"gdt.testPulseNight", "Pulse mean night", "Puls Mittelwert Nacht"},
    {"gdt.testDipSys", "Systolic night-to-day dipping", "Systolische nächtliche Absenkung"},
    {"gdt.testDipDia", "Diastolic night-to-day dipping", "Diastolische nächtliche Absenkung"},
    {"gdt.testReadings", "Readings", "Anzahl der Messungen"},
    {"gdt.testValid", "Valid readings", "Gültige Messungen"},

    // The findings in words (6220).
    {"gdt.findMeans", "%1: %2/%3 mmHg, %4: %5", "%1: %2/%3 mmHg, %4: %5"},
    {"gdt.findMeansAll", "%1, all readings: %2/%3 mmHg", "%1, alle Messungen: %2/%3 mmHg"},
    {"gdt.findDipping", "Night-to-day dipping: systolic %1, diastolic %2",
     "Nächtliche Absenkung: systolisch %1, diastolisch %2"},
    {"gdt.findDipValue", "ratio %1, fall %2 % (%3)", "Verhältnis %1, Absenkung %2 % (%3)"},
    {"gdt.findOffice", "Office class: %1", "Einstufung mit Praxismessung: %1"},
    // Notes beside a request set aside in failed/.
    {"gdt.noteLine", "Line %1: %2", "Zeile %1: %2"},
    {"gdt.noteNotDeleted", "Taken, but it could not be deleted", "Übernommen, konnte aber nicht gelöscht werden"},
    {"gdt.noteRestLeft", "The first record was taken; from line %1 on the file holds more, which was left unread",
     "Der erste Satz wurde übernommen; ab Zeile %1 enthält die Datei mehr, das nicht gelesen wurde"},

    // The settings and why they are refused.
    {"gdt.nameImport", "Request folder", "Anforderungsordner"},
    {"gdt.nameExport", "Result folder", "Ergebnisordner"},
    {"gdt.nameOwnId", "GDT ID of this program", "GDT-ID dieses Programms"},
    {"gdt.namePvsId", "GDT ID of the practice system", "GDT-ID des Praxissystems"},
    {"gdt.msgFolderMissing", "%1: no folder is given", "%1: kein Ordner angegeben"},
    {"gdt.msgFolderNotThere", "%1: the folder %2 does not exist", "%1: der Ordner %2 existiert nicht"},
    {"gdt.msgFolderNotWritable", "%1: the folder %2 can not be written", "%1: der Ordner %2 ist nicht beschreibbar"},
    {"gdt.msgBadId", "%1: %2 is not four letters or digits", "%1: %2 sind nicht vier Buchstaben oder Ziffern"},
    {"gdt.msgSameFolder", "%1 and %2 are the same folder %3: the two GDT IDs must differ",
     "%1 und %2 sind derselbe Ordner %3: die beiden GDT-IDs müssen verschieden sein"},
    {"gdt.msgSameIds", "%1 and %2 are the same (%3): the two GDT IDs must differ",
     "%1 und %2 sind gleich (%3): die beiden GDT-IDs müssen verschieden sein"},
    // The settings window and its command.
    {"frmMain.mnuSetGdt", "GDT Li&nk...", "GDT-A&nbindung..."},
    {"frmGdt.caption", "GDT Link", "GDT-Anbindung"},
    {"frmGdt.chkEnabled", "Link with the practice system switched on", "Anbindung an das Praxissystem eingeschaltet"},
    {"frmGdt.txtExportEmpty", "empty: the request folder", "leer: der Anforderungsordner"},
    {"frmGdt.lblCharset", "Character set of results", "Zeichensatz der Ergebnisse"},
    {"frmGdt.charsetAscii", "1: 7-bit ASCII", "1: 7-Bit-ASCII"},
    {"frmGdt.charsetCp437", "2: IBM code page 437", "2: IBM-Codepage 437"},
    {"frmGdt.charsetLatin1", "3: ISO 8859-1", "3: ISO 8859-1"},
    {"frmGdt.chkPdf", "Attach the report as PDF", "Bericht als PDF anhängen"},
    {"frmGdt.cmdOK", "OK", "OK"},
    {"frmGdt.cmdCancel", "Cancel", "Abbrechen"},
    {"frmGdt.msgRefused", "GDT Link Not Changed ! , %1", "GDT-Anbindung nicht geändert ! , %1"},
    {"frmGdt.msgNotStored", "GDT Link Not Stored ! , %1", "GDT-Anbindung nicht gespeichert ! , %1"},
    // Sending a result.
    {"gdt.msgNoPatientNumber", "The recording has no patient number (Recording details)",
     "Die Aufzeichnung hat keine Patientennummer (Aufzeichnungsdaten)"},
    {"gdt.msgPdfFailed", "The report could not be made as PDF: %1", "Der Bericht konnte nicht als PDF erstellt werden: %1"},
    {"gdt.msgNoResultName", "a thousand results wait unread", "tausend Ergebnisse warten ungelesen"},
    {"gdt.msgResultFailed", "The result could not be written into %1: %2",
     "Das Ergebnis konnte nicht in %1 geschrieben werden: %2"},
    {"gdt.pdfDescription", "ABPM report", "ABDM-Befund"},
    // The main window's side.
    {"frmMain.mnuFileSendGdt", "Send to Pract&ice System", "An Prax&issystem senden"},
    {"frmMain.msgNotReadySendGdt", "Send to Practice System Failure ! , File Not Ready !",
     "Wird das Öffnen Datei !"},
    {"gdt.lblWaiting", "Request waiting: %1 (%2, born %3)", "Anforderung wartet: %1 (%2, geb. %3)"},
    {"gdt.lblResultDue", "Result due for the practice system: %1 (%2)", "Ergebnis für das Praxissystem fällig: %1 (%2)"},
    {"gdt.msgNotWatching", "GDT Link Not Watching ! , %1", "GDT-Anbindung überwacht nicht ! , %1"},
    {"gdt.msgReplace",
     "A request for %1 came while the request for %2 waits.\nTake the new request (Yes) or keep the waiting one (No) ?",
     "Eine Anforderung für %1 kam, während die Anforderung für %2 wartet.\nDie neue übernehmen (Ja) oder die wartende "
     "behalten (Nein) ?"},
    {"gdt.msgWhileHeld",
     "A request for %1 came while %2 received readings are not stored yet.\nLet it wait for the next recording (Yes) "
     "or drop it (No) ?",
     "Eine Anforderung für %1 kam, während %2 empfangene Messungen noch nicht gespeichert sind.\nFür die nächste "
     "Aufzeichnung warten lassen (Ja) oder verwerfen (Nein) ?"},
    {"gdt.msgRefused", "GDT Request Not Taken ! , %1 , %2", "GDT-Anforderung nicht übernommen ! , %1 , %2"},
    {"gdt.msgMoved", "\nMoved to %1", "\nVerschoben nach %1"},
    {"gdt.msgNotMoved", "\nIt could not be moved and stays where it is: %1",
     "\nSie konnte nicht verschoben werden und bleibt, wo sie ist: %1"},
    {"gdt.msgRestLeft", "GDT Request Holds More Than One Record ! , %1\nThe first was taken; from line %2 on it was left unread.",
     "GDT-Anforderung enthält mehr als einen Satz ! , %1\nDer erste wurde übernommen; ab Zeile %2 blieb sie ungelesen."},
    {"gdt.msgNoFileOfPatient", "No data file of %1 (patient number %2) is in %3",
     "Keine Datendatei von %1 (Patientennummer %2) liegt in %3"},
    {"gdt.msgPatientNotFilled", "The patient could not be written into the new file ! , %1",
     "Der Patient konnte nicht in die neue Datei geschrieben werden ! , %1"},
    {"gdt.msgSwitchedOff", "The GDT link is switched off", "Die GDT-Anbindung ist ausgeschaltet"},
    {"gdt.msgSendFailed", "Send to Practice System Failure ! , %1", "An Praxissystem senden nicht möglich ! , %1"},
    {"gdt.msgSent", "Sent to the practice system: %1", "An das Praxissystem gesendet: %1"},
    {"gdt.msgStoredNotSent",
     "The readings are stored, but not sent to the practice system ! , %1\nSend to Practice System in the File menu "
     "sends them again.",
     "Die Messungen sind gespeichert, aber nicht an das Praxissystem gesendet ! , %1\nAn Praxissystem senden im "
     "Menü Datei sendet sie erneut."},
};
} // namespace

extern const std::span<const CatalogueEntry> kGdtTexts = entries;
