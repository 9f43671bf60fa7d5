#include "views/CaptionButton.h"

#include "views/CaptionFit.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace {

constexpr int kMargin = 2;
// The picture shrinks to leave room for a caption on two lines.
constexpr int kSmallPicture = 16;

} // namespace

CaptionButton::CaptionButton(QWidget* parent)
    : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

int CaptionButton::captionWidthFor(int buttonWidth)
{
    return buttonWidth - 2 * kMargin;
}

QStringList CaptionButton::shownLines() const
{
    return CaptionFit::lines(text(), font(), captionWidth());
}

bool CaptionButton::captionFits() const
{
    bool fits = false;
    CaptionFit::lines(text(), font(), captionWidth(), &fits);
    return fits;
}

void CaptionButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The style draws the button itself; picture and caption are placed here.
    option.text.clear();
    option.icon = QIcon();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);

    const QStringList captionLines = shownLines();
    const QFontMetrics metrics(font());
    const int textHeight = int(captionLines.size()) * metrics.lineSpacing();
    const int free = height() - 2 * kMargin - textHeight;
    const int side = qMax(0, qMin(free - 1, captionLines.size() > 1 ? kSmallPicture : iconSize().height()));
    const int top = kMargin + qMax(0, (free - side - 1) / 2);
    const bool pressed = option.state & (QStyle::State_Sunken | QStyle::State_On);
    const int shift = pressed ? style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this) : 0;

    const QRect pictureRect((width() - side) / 2, top + shift, side, side);
    icon().paint(&painter, pictureRect, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    const QRect textRect(kMargin, pictureRect.bottom() + 2, captionWidth(), textHeight);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop, captionLines.join(QLatin1Char('\n')));
}
