// Catalogue entries of the quick-use slide show, the about box and the two
// company pages: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Quick-use slide show. The navigation buttons of the German edition
    // carry pictures instead of captions; their names say what they do.
    {"frmSRdemo.caption", "Quick Use", "Kurzanleitung"},
    {"frmSRdemo.captionPrefix", "Quick Use ", "Kurzanleitung "},
    {"frmSRdemo.captionSeparator", " / ", " / "},
    {"frmSRdemo.cmdFirst", "First", nullptr},
    {"frmSRdemo.cmdPrevious", "Previous", nullptr},
    {"frmSRdemo.cmdNext", "Next", nullptr},
    {"frmSRdemo.cmdLast", "Last", nullptr},
    {"frmSRdemo.cmdClose", "CLOSE", "Beenden"},
    {"frmSRdemo.nameFirst", "First", "Erste"},
    {"frmSRdemo.namePrevious", "Previous", "Zurück"},
    {"frmSRdemo.nameNext", "Next", "Weiter"},
    {"frmSRdemo.nameLast", "Last", "Letzte"},
    {"frmSRdemo.namePicture", "Picture of the step", "Bild des Schritts"},
    // One text per step of the work flow; a step without a text in an
    // edition is no slide there.
    {"frmSRdemo.textNewFile", "You must create new name file for data read / write ", "Wird das Neue datei"},
    {"frmSRdemo.textCreateFile", "Check you file name and sure to create file  ", nullptr},
    {"frmSRdemo.textRead", "Press send key on  BPM to start reading data", "Daten lesen"},
    {"frmSRdemo.textTable", "Data table list on screen for veiw and edit", "Datentabelle"},
    {"frmSRdemo.textTrend", "Graphic trend data on screen for point out and print ", "Trendgrafik"},
    {"frmSRdemo.textBar", "Bar chart data on screen for point out and print", "Balkendiagramm"},

    // About box.
    {"frmAbout.caption", "About", "Über"},
    {"frmAbout.lblDescription", "Blood Pressure Data Check", "Blutdruckdaten Auswertung"},
    {"frmAbout.lblVersion", "English     V1.2", "Deutsche Version 1.2"},
    {"frmAbout.lblDisclaimer",
     "Warning: this program is protected by copyright. Copying it or passing it on, in whole or "
     "in part, without the written permission of its maker is forbidden and will be prosecuted.",
     "Warnung: Dieses Programm ist urheberrechtlich geschützt. Wer es ohne die schriftliche "
     "Erlaubnis des Herstellers ganz oder in Teilen vervielfältigt, verbreitet oder anderen "
     "zugänglich macht, verletzt das Urheberrecht und muss mit Schadenersatzforderungen und "
     "strafrechtlicher Verfolgung rechnen."},
    {"frmAbout.cmdOK", "OK", "OK"},

    // Company pages.
    {"frmIntro.caption", "Company Introduction", "Company Introduction"},
    {"frmIntro.lblText",
     "KORVANE is made for practices that measure blood pressure over a whole day and night. "
     "It reads the recorder, keeps every recording in a data file of its own, and shows the "
     "readings as a table, as a trend and as a bar chart, each reading with its WHO class.",
     "KORVANE ist für Praxen gemacht, die den Blutdruck über einen ganzen Tag und eine Nacht "
     "messen. Es liest den Rekorder aus, legt jede Aufzeichnung in einer eigenen Datendatei ab "
     "und zeigt die Messwerte als Tabelle, als Trend und als Balkendiagramm, jeden Messwert mit "
     "seiner WHO-Klasse."},
    {"frmIntro.Command1", "OK", "OK"},
    {"frmInfo.caption", "Company Information", "Company Information"},
    {"frmInfo.lblText",
     "KORVANE Version 1.2. For questions, service and a new recorder cable, please turn to the "
     "supplier from whom you received the program and the recorder.",
     "KORVANE Version 1.2. Bei Fragen, für den Service und für ein neues Rekorderkabel wenden Sie "
     "sich bitte an den Lieferanten, von dem Sie das Programm und den Rekorder erhalten haben."},
    {"frmInfo.Command1", "OK", "OK"},
};
} // namespace

extern const std::span<const CatalogueEntry> kHelpTexts = entries;
