// Catalogue entries of the recording's details (patient, start, diary,
// office pressure), the doctor's review of readings and the office class:
// key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // The fields, as the window labels them (validation names them so).
    {"details.lblPatientNumber", "Patient &number:", "Patienten&nummer:"},
    {"details.lblSurname", "&Surname:", "&Nachname:"},
    {"details.lblFirstName", "&First name:", "&Vorname:"},
    {"details.lblBirthDate", "Date of &birth:", "&Geburtsdatum:"},
    {"details.lblSex", "S&ex:", "Gesch&lecht:"},
    {"details.lblStartDate", "Recording start &date:", "Aufzeichnungsbeginn &Datum:"},
    {"details.lblStartTime", "Recording start &time:", "Aufzeichnungsbeginn &Uhrzeit:"},
    {"details.lblBedtime", "Bed&time (diary):", "&Schlafenszeit (Protokoll):"},
    {"details.lblWakeUp", "&Wake-up (diary):", "&Aufwachzeit (Protokoll):"},
    {"details.lblOfficeSys", "Office S&YS mmHg:", "Praxis S&YS mmHg:"},
    {"details.lblOfficeDia", "Office D&IA mmHg:", "Praxis D&IA mmHg:"},
    {"details.lblPhysician", "&Physician:", "&Arzt:"},
    {"details.lblIndication", "Indi&cation:", "Indi&kation:"},
    {"details.lblMedication", "&Medication:", "&Medikation:"},
    {"details.lblComment", "Co&mment:", "&Bemerkung:"},
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
    {"review.msgOtherNeedsText", "Other Needs a Text", "Sonstiges braucht einen Text"},
    {"review.msgNoSuchReading", "There Is No Reading %1", "Es gibt keine Messung %1"},

    // Office against ambulatory.
    {"office.sustained", "Sustained hypertension", "Dauerhafte Hypertonie"},
    {"office.whiteCoat", "White-coat hypertension", "Weißkittelhypertonie"},
    {"office.masked", "Masked hypertension", "Maskierte Hypertonie"},
    {"office.normotension", "Normotension", "Normotonie"},
};
} // namespace

extern const std::span<const CatalogueEntry> kRecordingTexts = entries;
