#include "views/ProgressScale.h"

#include "text/MessageCatalogue.h"

#include <QPainter>
#include <QStringList>

namespace {
constexpr int kSteps = 10;
constexpr int kTickHeight = 4;
} // namespace

ProgressScale::ProgressScale(QWidget* parent)
    : QWidget(parent)
{
    setAccessibleName(text());
}

void ProgressScale::setMaximum(int maximum)
{
    if (maximum <= 0 || maximum == m_maximum)
        return;
    m_maximum = maximum;
    setAccessibleName(text());
    update();
}

QString ProgressScale::text() const
{
    if (m_maximum == 100)
        return catText("frmRead.Label1");
    QStringList numbers;
    for (int k = 0; k <= kSteps; ++k)
        numbers << QString::number(qint64(m_maximum) * k / kSteps);
    return numbers.join(QStringLiteral("      "));
}

QSize ProgressScale::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(catText("frmRead.Label1")), fm.height() + kTickHeight + 1};
}

QSize ProgressScale::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.horizontalAdvance(QString::number(m_maximum)) * (kSteps + 1), fm.height() + kTickHeight + 1};
}

void ProgressScale::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = fontMetrics();
    // The outermost numbers stay inside; the ticks span the bar's width.
    const int left = 1;
    const int right = width() - 2;
    for (int k = 0; k <= kSteps; ++k) {
        const int x = left + (right - left) * k / kSteps;
        p.drawLine(x, 0, x, kTickHeight - 1);
        const QString number = QString::number(qint64(m_maximum) * k / kSteps);
        const int w = fm.horizontalAdvance(number);
        const int tx = qBound(0, x - w / 2, width() - w);
        p.drawText(tx, kTickHeight + fm.ascent(), number);
    }
}
