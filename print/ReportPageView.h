#pragma once
// Shows one page of a document as it will print: the paper with the body at
// its margins, at a zoom given in screen pixels per twip. Paints only the
// page shown, so a page of a long report costs what any other page does.
#include <QPageLayout>
#include <QWidget>

class PagedDocument;

class ReportPageView : public QWidget {
    Q_OBJECT
public:
    explicit ReportPageView(QWidget* parent = nullptr);

    // The document and page layout to show; the document must outlive the
    // view or be replaced first (nullptr shows nothing).
    void setDocument(const PagedDocument* document, const QPageLayout& page);
    void setPage(int page);
    int page() const { return m_page; }
    void setZoom(double pixelsPerTwip);

    // Paper size in twips.
    QSizeF paperTwips() const;
    // Space around the paper, in pixels.
    static constexpr int kGap = 12;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitToPaper();

    const PagedDocument* m_document = nullptr;
    QPageLayout m_pageLayout;
    int m_page = 1;
    double m_zoom = 1.0 / 15;
};
