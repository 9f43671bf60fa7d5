#pragma once
// Puts a document (the list report, the ABPM summary page) on paper or into
// a PDF file, page by page, on the report's page layout (ReportPageSetup).
#include "print/PagedDocument.h"

#include <QPageLayout>
#include <QString>

class QPrinter;

namespace ReportExport {

// Prints a document laid out for ReportPageSetup::layoutFor(the printer's
// page layout), keeping the printer's paper and orientation and the page
// range chosen in its dialog. False with `failure` in *error when the
// printer cannot start.
bool printDocument(const PagedDocument& document, QPrinter& printer, const QString& failure, QString* error);

// Writes the whole document, laid out for page, as a PDF file titled
// `title`. The file appears complete or not at all: an existing file is
// replaced only once the new one is written. False with the reason in *error.
bool savePdf(const PagedDocument& document, const QPageLayout& page, const QString& title, const QString& path,
             QString* error);

} // namespace ReportExport
