#pragma once
// The printed ABPM summary in the print preview (ReportPreview): one page
// (AbpmSummaryPage) laid out for the paper of the printer chosen under
// Printer Setup, dated the day Show is called, printed and saved as PDF
// like the list report.
#include "print/ReportPreview.h"
#include "views/AbpmWindows.h"

#include <QDate>

class AbpmSummaryPage;

class AbpmReport : public ReportPreview {
    Q_OBJECT
public:
    explicit AbpmReport(QWidget* parent = nullptr);
    ~AbpmReport() override;

    // Lays the page out for the request and shows the window on it.
    void Show(const AbpmPrintRequest& request);

    const AbpmSummaryPage* page() const;

protected:
    std::unique_ptr<PagedDocument> documentFor(const QPageLayout& page, QString* why) const override;
    QString pdfFileName() const override;

private:
    AbpmPrintRequest m_request;
    QDate m_printed;
};
