#pragma once
// The data list report and its preview window. The callers set the data
// member ("Primary") and the data source (a record cursor), then Show():
// the window opens, not modal, on page 1 of the report laid out for the
// paper of the printer chosen under Printer Setup. From it the user pages,
// zooms, prints through the printer dialog and saves the report as a PDF
// file.
//
// The report reads the record set the cursor gave when it was shown and
// follows its changes; a cursor's Requery binds it again. A record set that
// is not open, or lacks a column the report prints (a file of the other
// edition), is refused with a message naming what is missing, and no
// window opens.
#include "print/ReportLayout.h"

#include <QPageLayout>
#include <QPointer>
#include <QWidget>

#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolBar;
class Recordset;
class ReportDocument;
class ReportPageView;
class clsbpdata;

class DataReport1 : public QWidget {
    Q_OBJECT
public:
    explicit DataReport1(QWidget* parent = nullptr);
    ~DataReport1() override;

    void setDataMember(const QString& dataMember);
    void setDataSource(clsbpdata* source);
    // The printer chosen under Printer Setup, kept by its owner for as long
    // as this window lives. Without one the window keeps a printer of its own.
    void setPrinter(QPrinter* printer);
    // Lays the report out and shows the window on page 1. False when the
    // record set was refused (the window stays as it was, and one that was
    // never shown goes away).
    bool Show();

    int pageCount() const;
    int currentPage() const;
    void showPage(int page);
    const ReportDocument* document() const { return m_document.get(); }

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
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QAction* addCommand(const QString& text, QIcon icon, const QKeySequence& key, void (DataReport1::*handler)());
    QPrinter* chosenPrinter();
    // A document over the record set, or nullptr with the reason in *why.
    std::unique_ptr<ReportDocument> documentFor(const std::shared_ptr<Recordset>& records, const QPageLayout& page,
                                                QString* why) const;
    void bind(const std::shared_ptr<Recordset>& records, const QPageLayout& page,
              std::unique_ptr<ReportDocument> document);
    void rebindAfterRequery();
    void recordsChanged();
    void applyZoom();
    void firstPage() { showPage(1); }
    void previousPage() { showPage(currentPage() - 1); }
    void nextPage() { showPage(currentPage() + 1); }
    void lastPage() { showPage(pageCount()); }

    const ReportLayout m_layout;
    QString m_dataMember;
    QPointer<clsbpdata> m_source;
    std::shared_ptr<Recordset> m_records;
    std::unique_ptr<ReportDocument> m_document;
    QPageLayout m_pageLayout;
    QPrinter* m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
    QScrollArea* m_scroll = nullptr;
};
