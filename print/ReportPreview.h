#pragma once
// The print preview window that every printed document of the program
// shares (the list report, the ABPM summary page): a document shown page by
// page as it will print on the paper of the printer chosen under Printer
// Setup, with paging, zoom, Print through the printer dialog and Save as
// PDF. It is not modal and owned by the main window.
//
// A window of one kind of document derives from it: it lays its document
// out for a page layout (documentFor) and shows it (showDocument, present);
// the base prints and saves what documentFor makes for the paper chosen, and
// shows the paper chosen in the printer dialog from then on.
#include "print/PagedDocument.h"

#include <QPageLayout>
#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolBar;
class ReportPageView;

class ReportPreview : public QWidget {
    Q_OBJECT
public:
    // Catalogue keys of what differs between the kinds of document.
    struct Texts {
        const char* caption;         // window caption and the PDF's title
        const char* printerNotReady; // the printer could not start
    };

    ReportPreview(const Texts& texts, QWidget* parent);
    ~ReportPreview() override;

    // The printer chosen under Printer Setup, kept by its owner for as long
    // as this window lives. Without one the window keeps a printer of its own.
    void setPrinter(QPrinter* printer);

    int pageCount() const;
    int currentPage() const;
    void showPage(int page);

    // Commands of the window's toolbar.
    void actPrint_Triggered();
    void actSavePdf_Triggered();

    // Controls, for the tests.
    QToolBar* tbPreview = nullptr;
    QAction* actFirstPage = nullptr;
    QAction* actPreviousPage = nullptr;
    QAction* actNextPage = nullptr;
    QAction* actLastPage = nullptr;
    QSpinBox* spnPage = nullptr;
    QLabel* lblPageCount = nullptr;
    QComboBox* cboZoom = nullptr;
    QAction* actPrint = nullptr;
    QAction* actSavePdf = nullptr;
    QAction* actClose = nullptr;
    ReportPageView* pageView = nullptr;

protected:
    // The document laid out for a page layout, or nullptr with the reason.
    virtual std::unique_ptr<PagedDocument> documentFor(const QPageLayout& page, QString* why) const = 0;
    // The file name Save as PDF proposes, beside the data file.
    virtual QString pdfFileName() const = 0;
    // The folder Save as PDF starts in: the current data file's (none without one).
    virtual QString pdfFolder() const;

    QPrinter* chosenPrinter();
    // The report's page layout for the chosen printer's paper.
    QPageLayout chosenPageLayout();
    // Shows the document (replacing the one shown) laid out for page.
    void showDocument(std::unique_ptr<PagedDocument> document, const QPageLayout& page);
    const PagedDocument* shownDocument() const { return m_document.get(); }
    const QPageLayout& shownPageLayout() const { return m_pageLayout; }
    // The shown document's page count may have changed: the page controls follow.
    void pagesChanged();
    // Shows the window on page 1, in front, ready for the paging keys.
    void present();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QAction* addCommand(const QString& text, QIcon icon, const QKeySequence& key,
                        void (ReportPreview::*handler)());
    void applyZoom();
    void firstPage() { showPage(1); }
    void previousPage() { showPage(currentPage() - 1); }
    void nextPage() { showPage(currentPage() + 1); }
    void lastPage() { showPage(pageCount()); }

    const Texts m_texts;
    std::unique_ptr<PagedDocument> m_document;
    QPageLayout m_pageLayout;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
    QScrollArea* m_scroll = nullptr;
};
