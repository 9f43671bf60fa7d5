#include "print/ReportPageView.h"

#include "print/PagedDocument.h"
#include "print/ReportPageSetup.h"

#include <QPainter>
#include <QtMath>

ReportPageView::ReportPageView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void ReportPageView::setDocument(const PagedDocument* document, const QPageLayout& page)
{
    m_document = document;
    m_pageLayout = page;
    fitToPaper();
    update();
}

void ReportPageView::setPage(int page)
{
    m_page = page;
    update();
}

void ReportPageView::setZoom(double pixelsPerTwip)
{
    m_zoom = pixelsPerTwip;
    fitToPaper();
    update();
}

QSizeF ReportPageView::paperTwips() const
{
    return m_pageLayout.fullRect(QPageLayout::Point).size() * ReportPageSetup::kTwipsPerPoint;
}

void ReportPageView::fitToPaper()
{
    const QSizeF paper = paperTwips() * m_zoom;
    setFixedSize(qCeil(paper.width()) + 2 * kGap, qCeil(paper.height()) + 2 * kGap);
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    const QSizeF paper = paperTwips() * m_zoom;
    const QRectF sheet(kGap, kGap, paper.width(), paper.height());
    painter.fillRect(sheet.translated(3, 3), palette().shadow());
    painter.fillRect(sheet, Qt::white);
    if (!m_document)
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(sheet.topLeft());
    painter.scale(m_zoom, m_zoom);
    const QRectF body = m_pageLayout.paintRect(QPageLayout::Point);
    painter.translate(body.topLeft() * ReportPageSetup::kTwipsPerPoint);
    m_document->paintPage(painter, m_page);
}
