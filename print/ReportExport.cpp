#include "print/ReportExport.h"

#include "print/ReportPageSetup.h"
#include "text/MessageCatalogue.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include <algorithm>

namespace ReportExport {

namespace {

// Paints pages first..last (1-based) onto a device already set to the
// report's page layout; the painter's origin is the body's top-left.
bool paintPages(QPagedPaintDevice& device, const PagedDocument& document, int first, int last)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(device.logicalDpiX() / 1440.0, device.logicalDpiY() / 1440.0);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        document.paintPage(painter, page);
    }
    return painter.end();
}

} // namespace

bool printDocument(const PagedDocument& document, QPrinter& printer, const QString& failure, QString* error)
{
    printer.setFullPage(false);
    printer.setPageLayout(ReportPageSetup::layoutFor(printer.pageLayout()));
    int first = 1;
    int last = document.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage(), 1, last);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() : last, first, last);
    }
    if (!paintPages(printer, document, first, last)) {
        if (error)
            *error = failure;
        return false;
    }
    return true;
}

bool savePdf(const PagedDocument& document, const QPageLayout& page, const QString& title, const QString& path,
             QString* error)
{
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QPdfWriter pdf(&file);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("KORVANE"));
        pdf.setPageLayout(page);
        written = paintPages(pdf, document, 1, document.pageCount());
    }
    // Ends the PDF before the file is committed.
    written = written && file.commit();
    if (!written && error)
        *error = catText("data.msgCannotSave").arg(path, catText("ReportPreview.reasonNotWritable"));
    return written;
}

} // namespace ReportExport
