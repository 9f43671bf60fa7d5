// Catalogue entries of the recording's details (patient, start, diary,
// office pressure), the doctor's review of readings and the office class:
// key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // The window and its commands.
    {"frmMain.mnuDataDetails", "&Patient and Recording...", "&Patient und Aufzeichnung..."},
    {"frmMain.msgNotReadyDetails", "Can not Open Patient and Recording ! , File Not Ready !",
     "Wird das Öffnen Datei !"},
    {"frmList.cmdDetails", "Patient", "Patient"},
    {"details.caption", "Patient and Recording", "Patient und Aufzeichnung"},
    {"details.fraPatient", "Patient", "Patient"},
    {"details.fraRecording", "Recording", "Aufzeichnung"},
    {"details.fraNotes", "Notes", "Notizen"},
    {"details.cmdSave", "&Save", "&Speichern"},
    {"details.cmdClose", "E&xit", "&Beenden"},
    {"details.hintDate", "M/d/yyyy", "T.M.JJJJ"},
    {"details.hintTime", "H:mm", "H:mm"},
    {"details.msgNotChanged", "Patient and Recording Not Changed ! , %1",
     "Patient und Aufzeichnung nicht geändert ! , %1"},

    // The line that names the recording on captions and printed pages.
    {"details.headNumber", "No. %1", "Nr. %1"},
    {"details.headBorn", "born %1", "geb. %1"},
    {"details.headStart", "recording from %1", "Aufzeichnung ab %1"},
    {"details.headSeparator", " · ", " · "},
    {"details.captionWith", "%1 - %2", "%1 - %2"},

    // The fields, as the window labels them (validation names them so).
    {"details.lblPatientNumber", "Patient &number:", "Patienten&nummer:"},
    {"details.lblSurname", "S&urname:", "Nac&hname:"},
    {"details.lblFirstName", "&First name:", "&Vorname:"},
    {"details.lblBirthDate", "Date of &birth:", "&Geburtsdatum:"},
    {"details.lblSex", "S&ex:", "Gesch&lecht:"},
    {"details.lblStartDate", "Recording start &date:", "Aufzeichnungsbeginn &Datum:"},
    {"details.lblStartTime", "Recording start &time:", "Aufzeichnungsbeginn &Uhrzeit:"},
    {"details.lblBedtime", "Bedt&ime (diary):", "Schla&fenszeit (Protokoll):"},
    {"details.lblWakeUp", "&Wake-up (diary):", "&Aufwachzeit (Protokoll):"},
    {"details.lblOfficeSys", "Office S&YS mmHg:", "Praxis S&YS mmHg:"},
    {"details.lblOfficeDia", "Office DI&A mmHg:", "Praxis D&IA mmHg:"},
    {"details.lblPhysician", "&Physician:", "Ar&zt:"},
    {"details.lblIndication", "Indi&cation:", "Indi&kation:"},
    {"details.lblMedication", "&Medication:", "&Medikation:"},
    {"details.lblComment", "C&omment:", "Beme&rkung:"},
    {"details.sexUnknown", "Not given", "Keine Angabe"},
    {"details.sexFemale", "Female", "Weiblich"},
    {"details.sexMale", "Male", "Männlich"},
    {"details.sexDiverse", "Diverse", "Divers"},

    // Validation: "<field>: <problem>".
    {"details.msgField", "%1: %2", "%1: %2"},
    {"details.msgNumberTooLong", "More Than 10 Characters", "Mehr als 10 Zeichen"},
    {"details.msgNoDate", "No Such Date (M/d/yyyy)", "Kein gültiges Datum (T.M.JJJJ)"},
    {"details.msgNoTime", "Not a Time (H:mm)", "Keine gültige Uhrzeit (H:mm)"},
    {"details.msgStartWithoutDate", "A Start Time Needs Its Date", "Eine Beginnzeit braucht ihr Datum"},
    {"details.msgBornInFuture", "The Date Lies in the Future", "Das Datum liegt in der Zukunft"},
    {"details.msgBornAfterStart", "The Date Lies After the Recording Start",
     "Das Datum liegt nach dem Aufzeichnungsbeginn"},
    {"details.msgWakeUpAtBedtime", "The Same Time as Bedtime", "Dieselbe Zeit wie die Schlafenszeit"},
    {"details.msgPressureRange", "Not a Whole Number from 40 to 300", "Keine ganze Zahl von 40 bis 300"},
    {"details.msgPressureMissing", "Systolic and Diastolic Are Given Together",
     "Systolisch und diastolisch nur zusammen"},
    {"details.msgDiaNotBelowSys", "Not Below the Systolic Pressure", "Nicht unter dem systolischen Druck"},

    // The doctor's review.
    {"review.reasonArtefact", "Artefact", "Artefakt"},
    {"review.reasonMoved", "Patient moved", "Patient bewegt"},
    {"review.reasonReport", "Patient's report", "Angabe des Patienten"},
    {"review.reasonOther", "Other", "Sonstiges"},
    {"review.caption", "Set Aside Reading %1", "Messung %1 ausnehmen"},
    {"review.lblReason", "&Reason:", "&Grund:"},
    {"review.lblNote", "&Text:", "&Text:"},
    {"review.msgNotChanged", "Review Not Changed ! , %1", "Bewertung nicht geändert ! , %1"},
    {"frmList.mnuSetAside", "Set &Aside / Take Back...", "&Ausnehmen / Zurücknehmen..."},
    {"frmbpdata.mnuSetAside", "Set &Aside / Take Back...", "&Ausnehmen / Zurücknehmen..."},
    {"review.setAsideAs", "Set aside: %1", "Ausgenommen: %1"},
    {"review.reasonWithNote", "%1 (%2)", "%1 (%2)"},
    {"review.msgOtherNeedsText", "Other Needs a Text", "Sonstiges braucht einen Text"},
    {"review.msgNoSuchReading", "There Is No Reading %1", "Es gibt keine Messung %1"},

    // Office against ambulatory, and the ABPM summary's lines about the review.
    {"abpm.hdOffice", "Office against ambulatory", "Praxis gegen ambulant"},
    {"abpm.lblOffice", "Office %1/%2 mmHg (office hypertension from %3/%4 mmHg) against the ambulatory means above:",
     "Praxis %1/%2 mmHg (Praxishypertonie ab %3/%4 mmHg) gegen die ambulanten Mittelwerte oben:"},
    {"abpm.lblSetAside", "Set aside by the physician: %1", "Vom Arzt ausgenommen: %1"},
    {"abpm.lblDiary", "(from the patient's diary)", "(aus dem Patientenprotokoll)"},
    {"office.sustained", "Sustained hypertension", "Dauerhafte Hypertonie"},
    {"office.whiteCoat", "White-coat hypertension", "Weißkittelhypertonie"},
    {"office.masked", "Masked hypertension", "Maskierte Hypertonie"},
    {"office.normotension", "Normotension", "Normotonie"},
};
} // namespace

extern const std::span<const CatalogueEntry> kRecordingTexts = entries;
