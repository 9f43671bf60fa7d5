#pragma once
// File > Export FHIR: asks for a file name, refuses and asks before
// replacing like Export CSV, and writes the open recording there as one
// FHIR R4 Bundle (exchange/FhirBundle.h) with the ABPM report's PDF, laid
// out for the paper of the chosen printer, as the DiagnosticReport's
// presentedForm. The file is written whole or not at all.
class QPrinter;
class QWidget;

namespace FhirExport {

// Runs the command while a data file is ready; parent owns the dialogs.
void exportFhir(QWidget* parent, QPrinter* printer);

} // namespace FhirExport
