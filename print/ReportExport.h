#pragma once
// Puts the data list report on paper or into a PDF file, page by page, on
// the report's page layout (ReportPageSetup) for the paper chosen.
#include <QString>

#include <memory>

class QPrinter;
class Recordset;
struct ReportLayout;

namespace ReportExport {

// Prints on the printer, keeping its paper and orientation and the page
// range chosen in its dialog. False with the reason in *error when the
// printer cannot start.
bool printReport(const ReportLayout& layout, const std::shared_ptr<Recordset>& records, QPrinter& printer,
                 QString* error);

// Writes the whole report as a PDF file on the paper and orientation of
// `paper`. The file appears complete or not at all: an existing file is
// replaced only once the new one is written. False with the reason in
// *error.
bool savePdf(const ReportLayout& layout, const std::shared_ptr<Recordset>& records, const QPrinter& paper,
             const QString& path, QString* error);

} // namespace ReportExport
