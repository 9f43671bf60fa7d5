#pragma once
// Helpers of the report tests: the texts and numbers of the edition the
// test runs in, worked out here; the report shown over a data file as its
// callers show it, printed through the printer seam into a PDF file, and
// the PDF read back with poppler's tools (text per page, pages as pictures).
#include "data/DataTestSupport.h"

#include "data/clsbpdata.h"
#include "print/DataReport1.h"
#include "print/ReportWindows.h"
#include "support/ScriptedSeams.h"
#include "text/Edition.h"

#include <QAction>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <cmath>

namespace printtest {

inline bool german()
{
    return Edition::current().isGerman();
}

inline QString ed(const char* english, const char* germanText)
{
    return QString::fromUtf8(german() ? germanText : english);
}

// A number as a person of the edition writes it (never "-0.0").
inline QString number(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    double shown = std::round(v * scale) / scale;
    if (shown == 0)
        shown = 0;
    QString t = QString::number(shown, 'f', decimals);
    return german() ? t.replace(QLatin1Char('.'), QLatin1Char(',')) : t;
}

inline QString day(const QDate& d)
{
    return d.toString(german() ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("M/d/yyyy"));
}

// Standard output of a poppler tool; fails the test when it does not run.
inline QByteArray runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), tool.readAllStandardError().constData());
        return {};
    }
    return tool.readAllStandardOutput();
}

// The text of each page, in reading order with the layout kept, ligatures
// written out (a printed temporary path may hold "ff" or "fi").
inline QStringList pageTexts(const QString& pdf)
{
    const QString text = QString::fromUtf8(runTool("pdftotext", {"-layout", pdf, "-"})).normalized(QString::NormalizationForm_KC);
    QStringList pages = text.split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast(); // pdftotext ends every page with a form feed
    return pages;
}

// The non-empty lines of a page, their blanks simplified.
inline QStringList linesOf(const QString& page)
{
    QStringList lines;
    for (const QString& line : page.split(QLatin1Char('\n')))
        if (!line.trimmed().isEmpty())
            lines << line.simplified();
    return lines;
}

// One page as a grey picture at the given resolution.
inline QImage renderPage(const QString& pdf, int page, int dpi)
{
    const QString stem = pdf + QStringLiteral("-p%1-%2").arg(page).arg(dpi);
    runTool("pdftoppm", {"-gray", "-png", "-r", QString::number(dpi), "-f", QString::number(page), "-l",
                         QString::number(page), "-singlefile", pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

// Page size in points as pdfinfo gives it ("Page size: 595.276 x 841.89 pts").
inline QSizeF pdfPageSize(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool("pdfinfo", {pdf}));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

inline int pdfPageCount(const QString& pdf)
{
    const QString info = QString::fromUtf8(runTool("pdfinfo", {pdf}));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Shows the report over the file the way the list window and the main
// window do: a cursor opens the file, the report binds to its "Primary".
// Null when the report refused.
inline DataReport1* showReport(const QString& path, clsbpdata*& cursor, QPrinter* printer)
{
    gDataFile = path;
    gFileReady = true;
    cursor = new clsbpdata;
    DataReport1* report = ReportWindows::dataReport();
    report->setPrinter(printer);
    report->setDataMember(clsbpdata::dataMemberName());
    report->setDataSource(cursor);
    return report->Show() ? report : nullptr;
}

// Prints the shown report through the printer seam into a PDF file.
inline void printThroughSeam(DataReport1* report, ScriptedSeams& seams, const QString& pdf)
{
    seams.printerPdfPath = pdf;
    report->actPrint->trigger();
}

} // namespace printtest
