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
    {"abpm.lblThresholds", "&Thresholds", "&Grenzwerte"},
    {"abpm.cboThresholds", "Set of thresholds", "Satz der Grenzwerte"},
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
    {"abpm.rowMean", "Mean (all readings)", "Mittelwert (alle Messungen)"},
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
    {"abpm.period24hWeighted", "24 hours (time-weighted)", "24 Stunden (zeitgewichtet)"},
    {"abpm.rowWeightedMean", "Mean, time-weighted", "Mittelwert, zeitgewichtet"},
    {"abpm.rowWeightedSd", "SD, day and night weighted (Bilo)", "SD, Tag und Nacht gewichtet (Bilo)"},
    {"abpm.rowWeightedArv", "ARV, weighted by time", "ARV, zeitgewichtet"},
    {"abpm.setEsh", "ESH", "ESH"},
    {"abpm.setAccAha", "ACC/AHA 2017", "ACC/AHA 2017"},
    {"abpm.lblThresholdSet", "Thresholds: %1", "Grenzwerte: %1"},
    {"abpm.verdictBelow", "below %1/%2", "unter %1/%2"},
    {"abpm.verdictSys", "systolic %1 at or above %2", "systolisch %1 auf oder über %2"},
    {"abpm.verdictDia", "diastolic %1 at or above %2", "diastolisch %1 auf oder über %2"},

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
     "Figures are rounded to one decimal (halves up) before they are compared: a mean of 134.98 shows "
     "135.0 and counts as at or above 135.\n\n"
     "The 24-hour mean read against its threshold is time-weighted: each reading counts for half the time "
     "to the reading before and half the time to the reading after it; an interval over 2 hours (the "
     "recorder paused) counts as 2 hours. Elapsed time is used, so a change of daylight saving time does "
     "not change the figures. The mean of all readings is shown beside it; day and night means are plain.\n\n"
     "SD is the real (sample) standard deviation; the weighted 24-hour SD (Bilo 2007) is the day SD and the "
     "night SD weighted by the hours of each period. The coefficient of variation is SD divided by the "
     "mean. The average real variability (ARV) is the mean of the absolute differences between successive "
     "readings of the period; the weighted ARV weighs each difference by the time between the two readings.\n\n"
     "Dipping: the night/day ratio of the means as shown, to three decimals; extreme dipper up to 0.800, "
     "dipper above 0.800 up to 0.900, non-dipper above 0.900 up to 1.000, reverse dipper above 1.000. The "
     "fall is 1 minus the ratio, in percent.\n\n"
     "Thresholds, chosen under Day and night: ESH (default) 24 hours 130/80, day 135/85, night 120/70, "
     "office 140/90 mmHg; ACC/AHA 2017 24 hours 125/75, day 130/80, night 110/65, office 130/80 mmHg. A "
     "period's means are elevated when either mean is at or above its threshold; the shares (load) count "
     "the readings at or above it, cut to one decimal.\n\n"
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
     "Werte werden vor dem Vergleich auf eine Nachkommastelle gerundet (Hälften aufwärts): ein "
     "Mittelwert von 134,98 wird als 135,0 gezeigt und zählt als auf oder über 135.\n\n"
     "Der 24-Stunden-Mittelwert, der mit seinem Grenzwert verglichen wird, ist zeitgewichtet: jede "
     "Messung zählt für die halbe Zeit zur vorigen und die halbe Zeit zur nächsten Messung; ein Abstand "
     "über 2 Stunden (das Gerät hat pausiert) zählt als 2 Stunden. Es zählt die verstrichene Zeit, eine "
     "Sommer- oder Winterzeitumstellung ändert die Werte also nicht. Der Mittelwert aller Messungen steht "
     "daneben; die Mittelwerte von Tag und Nacht sind ungewichtet.\n\n"
     "SD ist die echte Standardabweichung (der Stichprobe); die gewichtete 24-Stunden-SD (Bilo 2007) ist "
     "die SD des Tages und die der Nacht, gewichtet nach den Stunden jedes Zeitraums. Der "
     "Variationskoeffizient ist SD geteilt durch den Mittelwert. Die mittlere reale Variabilität (ARV) ist "
     "der Mittelwert der Beträge der Differenzen aufeinanderfolgender Messungen des Zeitraums; die "
     "zeitgewichtete ARV gewichtet jede Differenz mit der Zeit zwischen den beiden Messungen.\n\n"
     "Absenkung: das Verhältnis Nacht/Tag der gezeigten Mittelwerte, auf drei Nachkommastellen; extremer "
     "Dipper bis 0,800, Dipper über 0,800 bis 0,900, Non-Dipper über 0,900 bis 1,000, inverser Dipper "
     "über 1,000. Die Absenkung ist 1 minus das Verhältnis, in Prozent.\n\n"
     "Grenzwerte, unter Tag und Nacht gewählt: ESH (Vorgabe) 24 Stunden 130/80, Tag 135/85, Nacht 120/70, "
     "Praxis 140/90 mmHg; ACC/AHA 2017 24 Stunden 125/75, Tag 130/80, Nacht 110/65, Praxis 130/80 mmHg. "
     "Die Mittelwerte eines Zeitraums sind erhöht, wenn einer auf oder über seinem Grenzwert liegt; die "
     "Anteile (Last) zählen die Messungen auf oder über dem Grenzwert, auf eine Nachkommastelle "
     "abgeschnitten.\n\n"
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
