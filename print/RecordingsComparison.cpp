#include "print/RecordingsComparison.h"

#include "platform/Seams.h"
#include "print/RecordingsComparisonPage.h"
#include "text/MessageCatalogue.h"

#include <QFileInfo>

RecordingsComparison::RecordingsComparison(RecordingComparison comparison, QWidget* parent)
    : ReportPreview({"compare.caption", "compare.msgPrinterNotReady"}, parent)
    , m_comparison(std::move(comparison))
{
    setObjectName(QStringLiteral("RecordingsComparison"));
}

RecordingsComparison::~RecordingsComparison() = default;

void RecordingsComparison::Show()
{
    m_printed = seams().now().date();
    const QPageLayout page = chosenPageLayout();
    showDocument(std::make_unique<RecordingsComparisonPage>(m_comparison, m_printed, page), page);
    present();
}

const RecordingsComparisonPage* RecordingsComparison::page() const
{
    return static_cast<const RecordingsComparisonPage*>(shownDocument());
}

std::unique_ptr<PagedDocument> RecordingsComparison::documentFor(const QPageLayout& page, QString*) const
{
    return std::make_unique<RecordingsComparisonPage>(m_comparison, m_printed, page);
}

QString RecordingsComparison::pdfFileName() const
{
    return QFileInfo(m_comparison.newest().dataFile).completeBaseName() + QLatin1Char(' ') + catText("compare.caption")
        + QStringLiteral(".pdf");
}

QString RecordingsComparison::pdfFolder() const
{
    return QFileInfo(m_comparison.newest().dataFile).absolutePath();
}

RecordingsComparison* showRecordingsComparison(QWidget* parent, const std::vector<AbpmReportSource>& recordings,
                                               QPrinter* printer)
{
    const int count = int(recordings.size());
    if (count < kLeastCompared || count > kMostCompared) {
        showMessage(parent, catText("compare.msgCount").arg(kLeastCompared).arg(kMostCompared).arg(count), MsgButtons::Ok,
                    MsgIcon::Information, catText("compare.caption"));
        return nullptr;
    }
    auto* window = new RecordingsComparison(compareRecordings(recordings), parent);
    if (printer)
        window->setPrinter(printer);
    window->Show();
    return window;
}
