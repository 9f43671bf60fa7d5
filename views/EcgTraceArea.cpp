#include "views/EcgTraceArea.h"

#include "views/Twips.h"

#include <QPaintEvent>
#include <QPainter>

EcgTraceArea::EcgTraceArea(const QImage& background, QWidget* parent)
    : QWidget(parent)
    , m_background(background)
    , m_image(background)
{
    setFixedSize(background.size());
    // Every pixel is painted from the image: nothing under it to erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

int EcgTraceArea::widthTwips() const
{
    return pixelsToTwips(m_background.width());
}

int EcgTraceArea::heightTwips() const
{
    return pixelsToTwips(m_background.height());
}

void EcgTraceArea::clear()
{
    m_image = m_background;
    update();
}

void EcgTraceArea::drawLine(QPoint fromTwips, QPoint toTwips, const QColor& colour)
{
    const QPoint from(twipsToPixels(fromTwips.x()), twipsToPixels(fromTwips.y()));
    const QPoint to(twipsToPixels(toTwips.x()), twipsToPixels(toTwips.y()));
    {
        QPainter p(&m_image);
        p.setPen(QPen(colour, 1));
        p.drawLine(from, to);
    }
    ++m_lines;
    update(QRect(from, to).normalized().adjusted(-1, -1, 1, 1));
}

void EcgTraceArea::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    for (const QRect& r : event->region())
        p.drawImage(r, m_image, r);
}
