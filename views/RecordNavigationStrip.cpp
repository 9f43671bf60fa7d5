#include "views/RecordNavigationStrip.h"

#include "text/MessageCatalogue.h"
#include "views/ListPictures.h"
#include "views/Twips.h"

#include <QLabel>

namespace {

// Places in twips.
constexpr int kButtonWidth = 345;
constexpr int kButtonHeight = 300;
// What the counter leaves of the window's width, and where Next and Last
// stand after the counter's right end.
constexpr int kOutsideCounter = 1500;
constexpr int kNextAfterCounter = 700;
constexpr int kLastAfterNext = 340;

} // namespace

RecordNavigationStrip::RecordNavigationStrip(const char* window, int windowWidthTwips, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picStatBox"));
    cmdFirst = makeButton(window, "cmdFirst");
    cmdPrevious = makeButton(window, "cmdPrevious");
    cmdNext = makeButton(window, "cmdNext");
    cmdLast = makeButton(window, "cmdLast");
    cmdFirst->move(0, 0);
    cmdPrevious->move(twipsToPixels(kButtonWidth), 0);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblStatus->setFrameShape(QFrame::Panel);
    lblStatus->setFrameShadow(QFrame::Sunken);
    lblStatus->setAutoFillBackground(true);
    lblStatus->setBackgroundRole(QPalette::Base);
    lblStatus->setGeometry(twipsToPixels(2 * kButtonWidth), 0, twipsToPixels(windowWidthTwips - kOutsideCounter),
                           twipsToPixels(kButtonHeight));
}

QToolButton* RecordNavigationStrip::makeButton(const char* window, const char* name)
{
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    const QByteArray key = QByteArray(window) + '.' + name;
    button->setAccessibleName(catText(key.constData()));
    button->setToolTip(button->accessibleName());
    button->setIcon(ListPictures::navigationIcon(QLatin1String(name)));
    button->setIconSize(QSize(14, 14));
    button->resize(twipsToPixels(kButtonWidth), twipsToPixels(kButtonHeight));
    return button;
}

void RecordNavigationStrip::placeAtBottom(int windowWidth, int windowHeight)
{
    setGeometry(0, windowHeight - twipsToPixels(kButtonHeight), windowWidth, twipsToPixels(kButtonHeight));
    // A counter width that cannot be (negative) is not taken.
    const int labelWidth = pixelsToTwips(windowWidth) - kOutsideCounter;
    if (labelWidth >= 0)
        lblStatus->resize(twipsToPixels(labelWidth), twipsToPixels(kButtonHeight));
    const int nextLeft = pixelsToTwips(lblStatus->width()) + kNextAfterCounter;
    cmdNext->move(twipsToPixels(nextLeft), 0);
    cmdLast->move(twipsToPixels(nextLeft + kLastAfterNext), 0);
}
