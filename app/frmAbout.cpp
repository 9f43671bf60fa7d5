#include "app/frmAbout.h"

#include "app/DrawnPictures.h"
#include "text/MessageCatalogue.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(catText("frmAbout.caption"));

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(DrawnPictures::splashPicture());
    imgLogo->setAlignment(Qt::AlignTop);

    lblDescription = new QLabel(catText("frmAbout.lblDescription"), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    QFont titleFont = lblDescription->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblDescription->setFont(titleFont);

    lblVersion = new QLabel(catText("frmAbout.lblVersion"), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    lblDisclaimer = new QLabel(catText("frmAbout.lblDisclaimer"), this);
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);

    cmdOK = new QPushButton(catText("frmAbout.cmdOK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    // Enter presses it, as in a dialog.
    cmdOK->setAutoDefault(true);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblDescription);
    texts->addWidget(lblVersion);
    texts->addSpacing(8);
    texts->addWidget(rule);
    texts->addWidget(lblDisclaimer);
    texts->addStretch(1);
    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(imgLogo);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);

    // Wide enough that the notice wraps into a few lines, not a column.
    resize(560, qMax(sizeHint().height(), heightForWidth(560)));
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    cmdOK->setFocus();
}
