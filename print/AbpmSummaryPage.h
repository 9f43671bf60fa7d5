#pragma once
// The printed ABPM summary: one page with the title, the data file's name
// and the date printed, the figures as the window shows them, and the
// hourly chart, which takes the room the figures leave. It is laid out for
// the body of one page; when the figures and the least chart need more room
// than the paper gives (a short paper), the whole page is painted smaller,
// so it always stays one page.
#include "print/PagedDocument.h"
#include "views/AbpmWindows.h"

#include <QDate>
#include <QPageLayout>
#include <QSizeF>

#include <memory>

class QGraphicsScene;
class QTextDocument;

class AbpmSummaryPage : public PagedDocument {
public:
    AbpmSummaryPage(const AbpmPrintRequest& request, const QDate& printed, const QPageLayout& page);
    ~AbpmSummaryPage() override;

    int pageCount() const override { return 1; }
    void paintPage(QPainter& painter, int page) const override;

    // Height of the page's content as designed, in twips, and the factor it
    // is painted at (1 when it fits the body).
    double contentHeight() const;
    double scale() const;

private:
    void paintHeader(QPainter& painter) const;
    double chartTop() const;

    QString m_dataFile;
    QDate m_printed;
    QSizeF m_body; // twips
    std::unique_ptr<QTextDocument> m_figures;
    std::unique_ptr<QGraphicsScene> m_chart;
    double m_chartHeight = 0; // twips
};
