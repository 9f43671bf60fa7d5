// Catalogue entries of the serial settings window: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmComm.caption", "Communication Setting", "Übertragungseinstellungen"},
    // Frame captions of the five lists.
    {"frmComm.Combo5", "Port", "Port"},
    {"frmComm.Combo1", "Baud Rate", "Baud Rate"},
    {"frmComm.Combo2", "Party", "Party"},
    {"frmComm.Combo3", "Bits", "Bits"},
    {"frmComm.Combo4", "Stop Bit", "Stop Bit"},
    {"frmComm.Command1", "OK", "OK"},
    {"frmComm.Command2", "Cancel", "Abbrechen"},
    {"frmComm.sbStatusBar", "Setting: ", "Statusleiste"},
    // The device the chosen port name stands for on this machine.
    {"frmComm.cboDevice", "Device", "Gerät"},
    // OK when the settings store refuses the settings: they hold until the
    // program ends.
    {"frmComm.msgNotSaved", "Setting Not Kept ! , File  %1  Can not Save ! , %2 , The Setting Holds Until KORVANE Ends",
     "Einstellung nicht gespeichert ! , Datei  %1  kann nicht gespeichert werden ! , %2 , Die Einstellung gilt bis KORVANE beendet wird"},
};
} // namespace

extern const std::span<const CatalogueEntry> kCommTexts = entries;
