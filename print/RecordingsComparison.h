#pragma once
// The follow-up comparison of two to four recordings of one patient
// (RecordingsComparisonPage) in the print preview every printed document
// shares: dated the day it is shown, printed and saved as PDF (proposed
// beside the newest recording) like the ABPM report. The recordings are
// read by the caller; the window only shows them and never writes a file.
// Each call opens a window of its own, not modal, gone when closed.
#include "data/AbpmReportSource.h"
#include "data/RecordingComparison.h"
#include "print/ReportPreview.h"

#include <QDate>

#include <vector>

class QPrinter;
class RecordingsComparisonPage;

class RecordingsComparison : public ReportPreview {
    Q_OBJECT
public:
    RecordingsComparison(RecordingComparison comparison, QWidget* parent);
    ~RecordingsComparison() override;

    const RecordingsComparisonPage* page() const;
    const RecordingComparison& comparison() const { return m_comparison; }

    // Lays the page out for the chosen paper and shows the window on it.
    void Show();

protected:
    std::unique_ptr<PagedDocument> documentFor(const QPageLayout& page, QString* why) const override;
    QString pdfFileName() const override;
    QString pdfFolder() const override;

private:
    RecordingComparison m_comparison;
    QDate m_printed;
};

// Shows the comparison page of 2..4 recordings in the shared print preview
// (print, PDF), on the printer chosen under Printer Setup when one is given.
// Another count is refused with a message, and no window opens (nullptr).
RecordingsComparison* showRecordingsComparison(QWidget* parent, const std::vector<AbpmReportSource>& recordings,
                                               QPrinter* printer = nullptr);
