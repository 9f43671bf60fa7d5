// Catalogue entries of the ECG waveform window: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    {"frmReadwave.caption", "Reading ECG Waveform", "EKG-Welle lesen"},
    {"frmReadwave.CmdPrint", "Print", "Drucken"},
    {"frmReadwave.CmdStop", "Stop", "Stop"},
    {"frmReadwave.CmdGo", "Go", "Start"},
    {"frmReadwave.Check1", "Continue", "Waiter"},
    {"frmReadwave.cmdClose", "EXIT", "Beenden"},

    // The scale beside the drawing area (the German picture carries its own).
    {"frmReadwave.lblUnit", "mV", nullptr},
    {"frmReadwave.lblPlus20", "2.0", nullptr},
    {"frmReadwave.lblPlus15", "1.5", nullptr},
    {"frmReadwave.lblPlus10", "1.0", nullptr},
    {"frmReadwave.lblPlus05", "0.5", nullptr},
    {"frmReadwave.lblZero", "0", nullptr},
    {"frmReadwave.lblMinus05", "-0.5", nullptr},
    {"frmReadwave.lblMinus10", "-1.0", nullptr},
    {"frmReadwave.lblMinus15", "-1.5", nullptr},
    // The unit under the scale drawn in the German picture.
    {"frmReadwave.pictureUnit", "mV", "mV"},

    // Status bar: the design texts, then the texts of a reading run.
    {"frmReadwave.sbDesign1", "Ready", "Neu lesen"},
    {"frmReadwave.sbDesign2", "Open file to read waveform data", "EKG-Welle lesen"},
    {"frmReadwave.sbReadNow", "Read Now", "Jetzt lesen"},
    {"frmReadwave.sbReadFromLine", "Read data from RS232", "Daten von RS232 lesen,[Beenden]:Beenden"},
    {"frmReadwave.sbWaiting", "[Close] to save data", nullptr},
    {"frmReadwave.sbReadStop", "Read Stop", "Stop lesen"},
    {"frmReadwave.sbStopped", "[Close] to save data , [Retry] to reset",
     "[Beenden]:Beenden,[Start]:Aktualisieren,[Drucken]:Drucken welle"},

    // Header texts at load and on Go.
    {"frmReadwave.Text2", "QRS Duration : ", "QRS-Dauer : "},
    {"frmReadwave.Text3", "ST Level : ", "ST-Höhe : "},
    {"frmReadwave.Text4", "H.R.: ", "Pulse : "},
    {"frmReadwave.Text5", "Date: ", "Datum: "},
    {"frmReadwave.Text6", "Time: ", "Uhrzeit: "},

    // Header texts after a header frame, with their units and separators.
    {"frmReadwave.hdrQrs", "QRS Duration : ", "QRS Duration : "},
    {"frmReadwave.hdrSeconds", " s", " s"},
    {"frmReadwave.hdrSt", "ST Level : ", "ST Level : "},
    {"frmReadwave.hdrMillivolts", " mV", " mV"},
    {"frmReadwave.hdrPulse", "H.R.: ", "Heart Rate : "},
    {"frmReadwave.hdrDate", "Date: ", "Datum: "},
    {"frmReadwave.hdrDateSeparator", " / ", " / "},
    {"frmReadwave.hdrTime", "Time: ", "Uhrzeit: "},
    {"frmReadwave.hdrTimeSeparator", " : ", " : "},

    {"frmReadwave.msgCommFailure", " Connecting Install or Communication Setting Incorrect !",
     " Connecting Install or Communication Setting Incorrect !"},

    // Accessible names of the controls without a text of their own.
    {"frmReadwave.Text1", "Heart rate", "Herzfrequenz"},
    {"frmReadwave.Picture1", "ECG trace", "EKG-Kurve"},
    {"frmReadwave.Picture2", "Heart beat", "Herzschlag"},
    {"frmReadwave.Frame2", "Recorder values", "Werte des Rekorders"},
};
} // namespace

extern const std::span<const CatalogueEntry> kEcgTexts = entries;
