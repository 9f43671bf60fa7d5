#pragma once
// The ABPM report a doctor signs (AbpmSignedReportPage) in the print preview,
// with a panel beside the page: the conclusion, drafted by the program or
// as kept in the data file, edited there with the page following each
// change; the physician; the practice line of the report's settings. Keep
// Conclusion stores the conclusion with today's date and the physician in
// the data file and the practice line in the settings store. The window
// closes when its data file is closed or another is opened.
//
// reportPdf makes the report's PDF for other systems (the FHIR export).
#include "data/AbpmReportSource.h"
#include "print/AbpmSignedReportPage.h"
#include "print/ReportPreview.h"

#include <QByteArray>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class AbpmSignedReport : public ReportPreview {
    Q_OBJECT
public:
    explicit AbpmSignedReport(QWidget* parent = nullptr);
    ~AbpmSignedReport() override;

    // Reads the current data file and shows the report on it. False, said
    // in a message, when the file cannot be read; no window opens then.
    bool Show();

    const AbpmSignedReportPage* page() const;

    void cmdDraft_Click();
    void cmdKeep_Click();

    QPlainTextEdit* txtConclusion = nullptr;
    QLineEdit* txtPhysician = nullptr;
    QLineEdit* txtPractice = nullptr;
    QPushButton* cmdDraft = nullptr;
    QPushButton* cmdKeep = nullptr;

protected:
    std::unique_ptr<PagedDocument> documentFor(const QPageLayout& page, QString* why) const override;
    QString pdfFileName() const override;

private:
    void buildPanel();
    AbpmSignedReportContent content() const;
    void relayout();

    AbpmReportSource m_source;
    AbpmReportFigures m_figures;
    QDate m_printed;
};

// The report of a recording as the window first shows it: the kept
// conclusion (drafted when none is kept), its physician or the recording's.
AbpmSignedReportContent draftedReportContent(const AbpmReportSource& source, QDate printed);

// The report of a recording as PDF bytes, laid out for page; empty with the
// reason in *error when it cannot be made.
QByteArray reportPdf(const AbpmSignedReportContent& content, const QPageLayout& page, QString* error);
