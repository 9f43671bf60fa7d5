#include "platform/PrintForm.h"

#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>

namespace {

bool hasDestination(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return printer.isValid() && !QPrinterInfo::availablePrinters().isEmpty();
}

QString askPdfPath(QWidget* window)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = catText("printForm.dlgTitle");
    request.fileName = window->windowTitle().trimmed() + QStringLiteral(".pdf");
    request.filter = catText("printForm.dlgFilter");
    request.defaultSuffix = QStringLiteral("pdf");
    request.overwritePrompt = true;
    return seams().fileDialog(window, request);
}

bool render(QWidget* window, QPrinter& printer, const std::function<void(bool)>& printLook)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    if (printLook)
        printLook(true);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = window->size();
    const double scale = std::min(double(page.width()) / std::max(size.width(), 1),
                                  double(page.height()) / std::max(size.height(), 1));
    // Rendered straight onto a printer, a window arrives as one image;
    // recorded first, its texts and lines reach the page as texts and
    // lines. The recording plays back at its own resolution.
    QPicture recorded;
    window->render(&recorded, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    const double playback = double(printer.logicalDpiX()) / recorded.logicalDpiX();
    painter.scale(scale / playback, scale / playback);
    painter.drawPicture(0, 0, recorded);
    const bool written = painter.end();
    if (printLook)
        printLook(false);
    return written;
}

} // namespace

PrintOutcome PrintForm(QWidget* window, const std::function<void(bool)>& printLook, QString* error)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(window->width() > window->height() ? QPageLayout::Landscape
                                                                  : QPageLayout::Portrait);
    printer.setDocName(window->windowTitle().trimmed());
    if (!seams().printerDialog(window, &printer))
        return PrintOutcome::Cancelled;
    if (!hasDestination(printer)) {
        const QString path = askPdfPath(window);
        if (path.isEmpty())
            return PrintOutcome::Cancelled;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
    }
    if (render(window, printer, printLook))
        return PrintOutcome::Printed;
    if (error)
        *error = catText("printForm.msgFailed")
                     .arg(printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                        : printer.printerName());
    return PrintOutcome::Failed;
}
