#include "app/frmSplash.h"

#include "app/DrawnPictures.h"
#include "text/Edition.h"
#include "text/MessageCatalogue.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(catText("frmSplash.lblDescription"));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    frame->setLineWidth(2);
    frame->setAutoFillBackground(true);
    QPalette framePalette = frame->palette();
    framePalette.setColor(QPalette::Window, QColor(236, 240, 246));
    frame->setPalette(framePalette);

    imgLogo = new QLabel(frame);
    imgLogo->setPixmap(DrawnPictures::splashPicture());

    lblProductName = new QLabel(catText("frmSplash.lblDescription"), frame);
    QFont titleFont = lblProductName->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblProductName->setFont(titleFont);

    lblPlatform = new QLabel(catText("frmSplash.lblPlatform"), frame);
    QFont platformFont = lblPlatform->font();
    platformFont.setPointSizeF(platformFont.pointSizeF() * 1.2);
    lblPlatform->setFont(platformFont);

    lblVersion = new QLabel(catText("frmSplash.lblVersion"), frame);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* texts = new QVBoxLayout;
    texts->addStretch(1);
    texts->addWidget(lblProductName);
    texts->addSpacing(12);
    texts->addWidget(lblPlatform);
    texts->addStretch(1);
    texts->addWidget(lblVersion);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(18, 18, 18, 18);
    row->setSpacing(24);
    row->addWidget(imgLogo);
    row->addLayout(texts, 1);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    if (parent)
        parent->installEventFilter(this);

    // A click on the picture, a label or the frame closes the window too.
    for (QWidget* part : std::initializer_list<QWidget*>{frame, imgLogo, lblProductName, lblPlatform, lblVersion})
        part->installEventFilter(this);

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    // Not a coarse timer: it must not fire before the 3000 ms are up.
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setInterval(kShowMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    // Load step: the timer starts with the window.
    Timer1->start();
}

void frmSplash::Timer1_Timer()
{
    close();
}

void frmSplash::centreOnOwner()
{
    QWidget* owner = parentWidget();
    if (!owner)
        return;
    adjustSize();
    QRect r = rect();
    r.moveCenter(owner->frameGeometry().center());
    move(r.topLeft());
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Any key closes it while it shows, wherever the keyboard focus is.
    qApp->installEventFilter(this);
    centreOnOwner();
    activateWindow();
    setFocus();
}

void frmSplash::mousePressEvent(QMouseEvent*)
{
    close();
}

void frmSplash::keyPressEvent(QKeyEvent*)
{
    close();
}

void frmSplash::hideEvent(QHideEvent* event)
{
    qApp->removeEventFilter(this);
    QWidget::hideEvent(event);
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event)
{
    // A key that another window takes (as a shortcut too) closes the splash
    // and still does its work there.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        if (isVisible())
            close();
        return false;
    }
    if (watched == parentWidget()) {
        // The window system may place or maximise the main window after the
        // splash is shown: the splash stays over its middle.
        if (event->type() == QEvent::Move || event->type() == QEvent::Resize
            || event->type() == QEvent::WindowStateChange)
            centreOnOwner();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
