// Catalogue entries of the ABPM summary window, its printed page, and the
// CSV export: key, English, German.
#include "text/MessageCatalogue.h"

namespace {
const CatalogueEntry entries[] = {
    // Main window: the two commands and their refusals without a file.
    {"frmMain.mnuDataAbpm", "&ABPM Summary...", "ABDM-Aus&wertung..."},
    {"frmMain.mnuFileExportCsv", "Export CS&V...", "CSV e&xportieren..."},
    {"frmMain.msgNotReadyAbpm", "Can not Open ABPM Summary ! , File Not Ready !", "Wird das Öffnen Datei !"},
    {"frmMain.msgNotReadyExportCsv", "Export CSV Failure ! , File Not Ready !", "Wird das Öffnen Datei !"},
    // The list window's button.
    {"frmList.cmdAbpm", "ABPM", "ABDM"},

    // The window.
    {"abpm.caption", "ABPM Summary", "ABDM-Auswertung"},
    {"abpm.fraPeriods", "Day and night", "Tag und Nacht"},
    {"abpm.optOwn", "Own periods", "Eigene Zeiten"},
    {"abpm.optNarrow", "Narrow fixed periods (day 10:00-20:00, night 00:00-06:00)",
     "Enge feste Zeiten (Tag 10:00-20:00, Nacht 00:00-06:00)"},
    {"abpm.lblDay", "Day", "Tag"},
    {"abpm.lblNight", "Night", "Nacht"},
    {"abpm.lblTo", "to", "bis"},
    {"abpm.txtDayStart", "Day starts", "Tag beginnt"},
    {"abpm.txtDayEnd", "Day ends", "Tag endet"},
    {"abpm.txtNightStart", "Night starts", "Nacht beginnt"},
    {"abpm.txtNightEnd", "Night ends", "Nacht endet"},
    {"abpm.cmdApply", "Apply", "Übernehmen"},
    {"abpm.txtSummary", "Summary figures", "Auswertung"},
    {"abpm.cmdHelp", "Help", "Hilfe"},
    {"abpm.cmdPrint", "Print...", "Drucken..."},
    {"abpm.cmdClose", "Exit", "Beenden"},
    {"abpm.msgPeriodsRefused", "Day and Night Not Changed ! , %1", "Tag und Nacht nicht geändert ! , %1"},
    {"abpm.msgDayEmpty", "The Day Starts and Ends at the Same Time", "Der Tag beginnt und endet zur selben Zeit"},
    {"abpm.msgNightEmpty", "The Night Starts and Ends at the Same Time",
     "Die Nacht beginnt und endet zur selben Zeit"},
    {"abpm.msgPeriodsOverlap", "Day and Night Both Hold %1", "Tag und Nacht enthalten beide %1"},
    {"abpm.msgNotStored", "Day and Night Are Used but Not Stored ! , %1",
     "Tag und Nacht gelten, sind aber nicht gespeichert ! , %1"},

    // The figures, as the window shows them and the page prints them.
    {"abpm.hdRecording", "Recording", "Aufzeichnung"},
    {"abpm.lblSpan", "From %1 to %2", "Von %1 bis %2"},
    {"abpm.lblNoSpan", "No reading has a date and time", "Keine Messung hat Datum und Uhrzeit"},
    {"abpm.lblReadings", "Readings: %1, valid: %2 (%3 %)", "Messungen: %1, gültig: %2 (%3 %)"},
    {"abpm.lblExcluded", "Left out as artefacts: %1", "Als Artefakte ausgeschlossen: %1"},
    {"abpm.lblPeriods", "Day %1, night %2", "Tag %1, Nacht %2"},
    {"abpm.lblNarrow", "(narrow fixed periods)", "(enge feste Zeiten)"},
    {"abpm.ruleEmpty", "empty value", "leerer Wert"},
    {"abpm.ruleSys", "systolic outside %1-%2 mmHg", "systolisch außerhalb %1-%2 mmHg"},
    {"abpm.ruleDia", "diastolic outside %1-%2 mmHg", "diastolisch außerhalb %1-%2 mmHg"},
    {"abpm.ruleDiaNotBelowSys", "diastolic not below systolic", "diastolisch nicht unter systolisch"},
    {"abpm.rulePulsePressure", "pulse pressure under %1 mmHg", "Pulsdruck unter %1 mmHg"},
    {"abpm.hdMeans", "Means and variability", "Mittelwerte und Variabilität"},
    {"abpm.colReadings", "Readings", "Messungen"},
    {"abpm.colSys", "SYS mmHg", "SYS mmHg"},
    {"abpm.colDia", "DIA mmHg", "DIA mmHg"},
    {"abpm.colMap", "MAP mmHg", "MAP mmHg"},
    {"abpm.colPulse", "Pulse /min", "Puls /min"},
    {"abpm.period24h", "24 hours", "24 Stunden"},
    {"abpm.periodDay", "Day (awake)", "Tag (wach)"},
    {"abpm.periodNight", "Night (asleep)", "Nacht (Schlaf)"},
    {"abpm.rowMean", "Mean", "Mittelwert"},
    {"abpm.rowSd", "Standard deviation (SD)", "Standardabweichung (SD)"},
    {"abpm.rowCv", "Coefficient of variation %", "Variationskoeffizient %"},
    {"abpm.rowArv", "Average real variability (ARV)", "Mittlere reale Variabilität (ARV)"},
    {"abpm.hdDipping", "Night-to-day dipping", "Nächtliche Absenkung"},
    {"abpm.colRatio", "Night/day ratio", "Verhältnis Nacht/Tag"},
    {"abpm.colFall", "Fall %", "Absenkung %"},
    {"abpm.colClass", "Class", "Einstufung"},
    {"abpm.rowSys", "Systolic", "Systolisch"},
    {"abpm.rowDia", "Diastolic", "Diastolisch"},
    {"abpm.dipExtreme", "Extreme dipper", "Extremer Dipper"},
    {"abpm.dipDipper", "Dipper", "Dipper"},
    {"abpm.dipNon", "Non-dipper", "Non-Dipper"},
    {"abpm.dipReverse", "Reverse dipper", "Inverser Dipper"},
    {"abpm.hdThresholds", "Means against the hypertension thresholds", "Mittelwerte gegen die Hypertonie-Grenzwerte"},
    {"abpm.colPeriod", "Period", "Zeitraum"},
    {"abpm.colThreshold", "Threshold mmHg", "Grenzwert mmHg"},
    {"abpm.colMeans", "Means mmHg", "Mittelwerte mmHg"},
    {"abpm.colAssessment", "Means", "Mittelwerte"},
    {"abpm.colSysAbove", "SYS at or above", "SYS ab Grenzwert"},
    {"abpm.colDiaAbove", "DIA at or above", "DIA ab Grenzwert"},
    {"abpm.elevated", "elevated", "erhöht"},
    {"abpm.normal", "normal", "normal"},
    {"abpm.hdValidity", "Validity for diagnosis", "Eignung zur Diagnose"},
    {"abpm.valid", "Valid for diagnosis", "Zur Diagnose geeignet"},
    {"abpm.invalid", "Not valid for diagnosis:", "Zur Diagnose nicht geeignet:"},
    {"abpm.problemNoReadings", "the file holds no readings", "die Datei enthält keine Messungen"},
    {"abpm.problemTooFewValid", "only %1 % of the readings are valid, at least %2 % are needed",
     "nur %1 % der Messungen sind gültig, mindestens %2 % sind nötig"},
    {"abpm.problemTooFewDay", "only %1 valid day readings, at least %2 are needed",
     "nur %1 gültige Messungen am Tag, mindestens %2 sind nötig"},
    {"abpm.problemTooFewNight", "only %1 valid night readings, at least %2 are needed",
     "nur %1 gültige Messungen in der Nacht, mindestens %2 sind nötig"},
    {"abpm.none", "-", "-"},

    // The hourly chart.
    {"abpm.chtHourly", "Hourly means", "Stundenmittelwerte"},
    {"abpm.axisHour", "Hour of day", "Uhrzeit (Stunde)"},
    {"abpm.axisPressure", "mmHg", "mmHg"},
    {"abpm.seriesSys", "SYS", "SYS"},
    {"abpm.seriesDia", "DIA", "DIA"},
    {"abpm.seriesNight", "Night", "Nacht"},

    // The help text: %1..%5 are the artefact limits, %6..%8 the validity needs.
    {"abpm.helpTitle", "ABPM Summary Help", "Hilfe zur ABDM-Auswertung"},
    {"abpm.helpText",
     "A reading is left out of every figure as an artefact when it breaks one of these rules; "
     "it is counted under the first rule it breaks:\n"
     "  1. an empty value (date, time, systolic, diastolic, mean pressure or pulse)\n"
     "  2. systolic pressure outside %1-%2 mmHg\n"
     "  3. diastolic pressure outside %3-%4 mmHg\n"
     "  4. diastolic pressure not below systolic pressure\n"
     "  5. pulse pressure (systolic minus diastolic) under %5 mmHg\n\n"
     "Day and night: a reading belongs to the day or the night by its time of day (start included, "
     "end excluded). The narrow fixed periods leave the hours between them out of day and night; "
     "those readings count for 24 hours only.\n\n"
     "SD is the real (sample) standard deviation. The coefficient of variation is SD divided by the mean. "
     "The average real variability (ARV) is the mean of the absolute differences between successive "
     "readings of the period.\n\n"
     "Dipping: the fall from the day mean to the night mean in percent; extreme dipper 20 % or more, "
     "dipper 10 to under 20 %, non-dipper 0 to under 10 %, reverse dipper when the night is higher.\n\n"
     "Thresholds: 24 hours 130/80, day 135/85, night 120/70 mmHg. A period's means are elevated when "
     "either mean reaches its threshold; the shares count the readings at or above it.\n\n"
     "Valid for diagnosis: at least %6 % of the readings valid, at least %7 valid readings by day "
     "and %8 by night.",
     "Eine Messung wird als Artefakt aus allen Werten ausgeschlossen, wenn sie eine dieser Regeln "
     "verletzt; sie zählt bei der ersten verletzten Regel:\n"
     "  1. ein leerer Wert (Datum, Uhrzeit, systolisch, diastolisch, Mitteldruck oder Puls)\n"
     "  2. systolischer Druck außerhalb %1-%2 mmHg\n"
     "  3. diastolischer Druck außerhalb %3-%4 mmHg\n"
     "  4. diastolischer Druck nicht unter dem systolischen\n"
     "  5. Pulsdruck (systolisch minus diastolisch) unter %5 mmHg\n\n"
     "Tag und Nacht: eine Messung gehört nach ihrer Uhrzeit zum Tag oder zur Nacht (Beginn "
     "eingeschlossen, Ende ausgeschlossen). Die engen festen Zeiten lassen die Stunden dazwischen "
     "aus Tag und Nacht heraus; diese Messungen zählen nur für 24 Stunden.\n\n"
     "SD ist die echte Standardabweichung (der Stichprobe). Der Variationskoeffizient ist SD geteilt "
     "durch den Mittelwert. Die mittlere reale Variabilität (ARV) ist der Mittelwert der Beträge der "
     "Differenzen aufeinanderfolgender Messungen des Zeitraums.\n\n"
     "Absenkung: der Abfall vom Tages- zum Nachtmittelwert in Prozent; extremer Dipper ab 20 %, "
     "Dipper 10 bis unter 20 %, Non-Dipper 0 bis unter 10 %, inverser Dipper, wenn die Nacht höher "
     "liegt.\n\n"
     "Grenzwerte: 24 Stunden 130/80, Tag 135/85, Nacht 120/70 mmHg. Die Mittelwerte eines Zeitraums "
     "sind erhöht, wenn einer seinen Grenzwert erreicht; die Anteile zählen die Messungen ab dem "
     "Grenzwert.\n\n"
     "Zur Diagnose geeignet: mindestens %6 % der Messungen gültig, mindestens %7 gültige Messungen "
     "am Tag und %8 in der Nacht."},

    // The printed page and its preview window.
    {"AbpmReport.caption", "ABPM Summary Report", "ABDM-Auswertung Drucken"},
    {"AbpmReport.lblFile", "File: %1", "Datei: %1"},
    {"AbpmReport.lblPrinted", "Printed: %1", "Gedruckt: %1"},
    {"AbpmReport.msgPrinterNotReady", "Print ABPM Summary Failure ! , Printer Not Ready !",
     "ABDM-Auswertung Drucken nicht möglich ! , Drucker nicht bereit !"},

    // File > Export CSV.
    {"abpm.dlgExportTitle", "Export CSV", "CSV exportieren"},
    {"abpm.dlgCsvFilter", "CSV file (*.csv)", "CSV-Datei (*.csv)"},
    {"abpm.reasonIsDatabase", "A Database File Is Never Replaced by a CSV File",
     "Eine Datenbankdatei wird nie durch eine CSV-Datei ersetzt"},
    {"abpm.reasonNotWritable", "File Can not Be Written", "Datei nicht beschreibbar"},
};
} // namespace

extern const std::span<const CatalogueEntry> kAbpmTexts = entries;
