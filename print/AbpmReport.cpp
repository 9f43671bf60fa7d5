#include "print/AbpmReport.h"

#include "platform/Seams.h"
#include "print/AbpmSummaryPage.h"
#include "text/MessageCatalogue.h"

#include <QFileInfo>

AbpmReport::AbpmReport(QWidget* parent)
    : ReportPreview({"AbpmReport.caption", "AbpmReport.msgPrinterNotReady"}, parent)
{
    setObjectName(QStringLiteral("AbpmReport"));
}

AbpmReport::~AbpmReport() = default;

void AbpmReport::Show(const AbpmPrintRequest& request)
{
    m_request = request;
    m_printed = seams().now().date();
    const QPageLayout page = chosenPageLayout();
    showDocument(std::make_unique<AbpmSummaryPage>(m_request, m_printed, page), page);
    present();
}

const AbpmSummaryPage* AbpmReport::page() const
{
    return static_cast<const AbpmSummaryPage*>(shownDocument());
}

std::unique_ptr<PagedDocument> AbpmReport::documentFor(const QPageLayout& page, QString*) const
{
    return std::make_unique<AbpmSummaryPage>(m_request, m_printed, page);
}

QString AbpmReport::pdfFileName() const
{
    return QFileInfo(m_request.dataFile).completeBaseName() + QStringLiteral(" ") + catText("abpm.caption")
        + QStringLiteral(".pdf");
}
