#include "platform/WindowPrinting.h"

#include "platform/Seams.h"
#include "platform/PlatformText.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QWidget>

#include <algorithm>

namespace {

QPrinter* g_chosen = nullptr;
bool g_deleteAtExit = false;

// A PDF printer without a file, or a system printer where none is
// installed, has nowhere to put the page.
bool hasDestination(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return seams().printerInstalled() && printer.isValid();
}

QString askPdfPath(QWidget* window)
{
    FileDialogRequest request;
    request.kind = FileDialogRequest::Kind::Save;
    request.title = platformText("printWindow.dlgTitle");
    request.fileName = window->windowTitle().trimmed() + QStringLiteral(".pdf");
    request.filter = platformText("printWindow.dlgFilter");
    request.defaultSuffix = QStringLiteral("pdf");
    request.overwritePrompt = true;
    return seams().fileDialog(window, request);
}

// A file that cannot be written is told with the system's reason.
bool writable(const QString& path, QString* error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        return true;
    if (error)
        *error = platformText("printWindow.msgCannotWrite").arg(path, file.errorString());
    return false;
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
    // Straight onto a printer a widget is drawn as one picture of pixels;
    // recorded first, its lines and texts reach the page as they are. A
    // recording plays back grown from its resolution to the printer's.
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

QPrinter& chosenPrinter()
{
    if (!g_chosen) {
        g_chosen = new QPrinter(QPrinter::HighResolution);
        // Printers belong to the application's print support: gone with it.
        if (!g_deleteAtExit)
            qAddPostRoutine(&forgetChosenPrinter);
        g_deleteAtExit = true;
    }
    return *g_chosen;
}

void forgetChosenPrinter()
{
    delete g_chosen;
    g_chosen = nullptr;
}

PrintResult printWindowImage(QWidget* window, const std::function<void(bool)>& printLook, QString* error)
{
    QPrinter& chosen = chosenPrinter();
    if (hasDestination(chosen)) {
        if (chosen.outputFormat() == QPrinter::PdfFormat && !writable(chosen.outputFileName(), error))
            return PrintResult::Failed;
        if (render(window, chosen, printLook))
            return PrintResult::Printed;
        if (error)
            *error = platformText("printWindow.msgCannotPrint")
                         .arg(chosen.outputFormat() == QPrinter::PdfFormat ? chosen.outputFileName()
                                                                           : chosen.printerName());
        return PrintResult::Failed;
    }

    const QString path = askPdfPath(window);
    if (path.isEmpty())
        return PrintResult::Cancelled;
    if (!writable(path, error))
        return PrintResult::Failed;
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setPageOrientation(window->width() > window->height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    pdf.setDocName(window->windowTitle().trimmed());
    if (render(window, pdf, printLook))
        return PrintResult::Printed;
    if (error)
        *error = platformText("printWindow.msgCannotPrint").arg(path);
    return PrintResult::Failed;
}
