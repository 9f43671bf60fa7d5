#pragma once
// The open recording as one HL7 FHIR R4 Bundle (JSON, type "collection"):
//
//   Patient            identifier = the patient number, name, birthDate, gender
//   Device             the recorder
//   Observation        per reading with a moment: the blood-pressure panel
//                      (LOINC 85354-9, category vital-signs, components
//                      8480-6 and 8462-4, 8478-0 for the mean pressure, in
//                      UCUM mm[Hg]) and the heart rate (8867-4, /min). A
//                      reading the doctor set aside carries the tag
//                      "set-aside" and the reason's code in meta.tag and the
//                      reason in words in note; one the artefact rules left
//                      out carries the tag "artefact".
//   Observation        the 24-hour mean (LOINC 97844-5, components 8490-5
//                      and 8472-3, as the HL7 vital-signs guide has it), and
//                      the awake and asleep means (codes "awake-mean" and
//                      "asleep-mean" of the program's own system kCodeSystem,
//                      beside LOINC 96607-7; components 96608-5 and 96609-3),
//                      for each period that has valid readings, as shown
//                      (one decimal); the 24-hour mean is the time-weighted
//                      one (method) and each component names the threshold
//                      and its set (referenceRange).
//   DiagnosticReport   the conclusion, the means as results, and the report
//                      PDF as presentedForm (base64), when there is one;
//                      "final" once the conclusion was kept (it has a date),
//                      "preliminary" while it is the program's draft.
//
// Ids are name-based UUIDs of the recording's content, so exporting the
// same recording again gives the same Bundle, and the two editions give the
// same Bundle apart from the texts (notes, conclusion, the PDF). A reading
// without a date or time has no moment for FHIR and is left out. Moments are
// the recorder's clock times with the offset of this computer's time zone
// at that moment. Pure code: fhirBundle builds the JSON from what it is given.
#include "data/AbpmConclusion.h"
#include "data/AbpmReadings.h"
#include "data/AbpmReportFigures.h"
#include "data/RecordingDetails.h"
#include "data/RecordingReview.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>

#include <vector>

namespace FhirBundle {

inline constexpr const char* kCodeSystem = "urn:korvane:fhir:abpm";
inline constexpr const char* kPatientNumberSystem = "urn:korvane:fhir:patient-number";

struct Recording {
    std::vector<AbpmReading> readings;
    RecordingDetails details;
    SetAsideReadings setAside;
    AbpmPeriods periods; // the periods in force (the diary's replace them)
    AbpmThresholdSet thresholds = AbpmThresholdSet::Esh;
    AbpmConclusion conclusion;
    QByteArray reportPdf;  // empty: no presentedForm
    QString reportTitle;   // the PDF's title
    QDateTime issued;      // when the export was made
};

QJsonObject bundle(const Recording& recording);
// The Bundle as indented UTF-8 JSON.
QByteArray json(const Recording& recording);

// Writes the text to path through a temporary file beside it that is
// renamed into place: the file is whole or, on failure, as it was. False
// with the reason in *error.
bool write(const QString& path, const QByteArray& text, QString* error);

} // namespace FhirBundle
