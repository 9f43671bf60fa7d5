#include "app/frmSRdemo.h"

#include "app/DrawnPictures.h"
#include "text/MessageCatalogue.h"
#include "views/RecordKeys.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A captioned button, or a picture button named for what it does when the
// edition has no caption for it.
QPushButton* navigationButton(const char* captionKey, const char* nameKey, DrawnPictures::NavigationArrow arrow,
                              const char* objectName, QWidget* parent)
{
    auto* button = new QPushButton(catText(captionKey), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    if (button->text().isEmpty()) {
        button->setIcon(DrawnPictures::navigationIcon(arrow));
        button->setIconSize(QSize(24, 24));
        button->setAccessibleName(catText(nameKey));
        button->setToolTip(catText(nameKey));
    }
    return button;
}

} // namespace

frmSRdemo::frmSRdemo(QWidget* parent)
    : QWidget(parent)
    , m_slides(quickUseSlides())
    , m_navigation(int(m_slides.size()))
{
    setObjectName(QStringLiteral("frmSRdemo"));
    setWindowTitle(catText("frmSRdemo.caption"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setFrameShape(QFrame::StyledPanel);
    // The picture shrinks with the window instead of holding it large.
    Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    Image1->setAccessibleName(catText("frmSRdemo.namePicture"));

    Text1 = new QLabel(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setWordWrap(true);
    QFont textFont = Text1->font();
    textFont.setPointSizeF(textFont.pointSizeF() * 1.4);
    textFont.setBold(true);
    Text1->setFont(textFont);

    using DrawnPictures::NavigationArrow;
    cmdFirst = navigationButton("frmSRdemo.cmdFirst", "frmSRdemo.nameFirst", NavigationArrow::First, "cmdFirst", this);
    cmdPrevious = navigationButton("frmSRdemo.cmdPrevious", "frmSRdemo.namePrevious", NavigationArrow::Previous,
                                   "cmdPrevious", this);
    cmdNext = navigationButton("frmSRdemo.cmdNext", "frmSRdemo.nameNext", NavigationArrow::Next, "cmdNext", this);
    cmdLast = navigationButton("frmSRdemo.cmdLast", "frmSRdemo.nameLast", NavigationArrow::Last, "cmdLast", this);
    cmdClose = new QPushButton(catText("frmSRdemo.cmdClose"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdFirst, &QPushButton::clicked, this, &frmSRdemo::cmdFirst_Click);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmSRdemo::cmdPrevious_Click);
    connect(cmdNext, &QPushButton::clicked, this, &frmSRdemo::cmdNext_Click);
    connect(cmdLast, &QPushButton::clicked, this, &frmSRdemo::cmdLast_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmSRdemo::cmdClose_Click);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdFirst, cmdPrevious, cmdNext, cmdLast})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Image1, 1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);

    // The keys are the window's before any control sees them.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    Form_Load();
}

void frmSRdemo::Form_Load()
{
    m_navigation.first();
    showSlide();
    // At its first showing the window opens with the picture at its own size.
    const QSize picture = m_picture.size();
    if (!picture.isEmpty()) {
        const QSize hint = sizeHint();
        const QSize frame = Image1->size() - Image1->contentsRect().size();
        const QMargins margins = layout()->contentsMargins();
        resize(qMax(hint.width(), picture.width() + frame.width() + margins.left() + margins.right()),
               hint.height() + picture.height() + frame.height());
    }
}

void frmSRdemo::showSlide()
{
    setWindowTitle(m_navigation.caption(catText("frmSRdemo.captionPrefix"), catText("frmSRdemo.captionSeparator")));
    const int index = m_navigation.current() - 1;
    if (index >= m_slides.size())
        return;
    const QuickUseSlide& slide = m_slides.at(index);
    Text1->setText(slide.text);
    m_picture = QPixmap(slide.picturePath);
    Image1->setAccessibleDescription(slide.text);
    fitPicture();
}

void frmSRdemo::fitPicture()
{
    if (m_picture.isNull()) {
        Image1->clear();
        return;
    }
    // Never larger than drawn: the windows in it stay as sharp as on screen.
    const QSize room = Image1->contentsRect().size();
    if (room.width() >= m_picture.width() && room.height() >= m_picture.height())
        Image1->setPixmap(m_picture);
    else
        Image1->setPixmap(m_picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void frmSRdemo::cmdFirst_Click()
{
    m_navigation.first();
    showSlide();
}

void frmSRdemo::cmdPrevious_Click()
{
    m_navigation.previous();
    showSlide();
}

void frmSRdemo::cmdNext_Click()
{
    m_navigation.next();
    showSlide();
}

void frmSRdemo::cmdLast_Click()
{
    m_navigation.last();
    showSlide();
}

void frmSRdemo::cmdClose_Click()
{
    close();
}

bool frmSRdemo::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    return runRecordKey(*this, key, modifiers);
}

bool frmSRdemo::eventFilter(QObject* watched, QEvent* event)
{
    return keyPressTaken(*this, event) || QWidget::eventFilter(watched, event);
}

void frmSRdemo::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitPicture();
}
