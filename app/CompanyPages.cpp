#include "app/CompanyPages.h"

#include "text/MessageCatalogue.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CompanyPage::CompanyPage(const char* name, const char* captionKey, const char* textKey, const char* buttonKey,
                         QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(catText(captionKey));

    lblText = new QLabel(catText(textKey), this);
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setWordWrap(true);

    Command1 = new QPushButton(catText(buttonKey), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(true);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &CompanyPage::Command1_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblText, 1);
    layout->addLayout(buttons);
    resize(440, qMax(sizeHint().height(), heightForWidth(440)));
}

void CompanyPage::Command1_Click()
{
    close();
}

void CompanyPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Command1->setFocus();
}

frmIntro::frmIntro(QWidget* parent)
    : CompanyPage("frmIntro", "frmIntro.caption", "frmIntro.lblText", "frmIntro.Command1", parent)
{
}

frmInfo::frmInfo(QWidget* parent)
    : CompanyPage("frmInfo", "frmInfo.caption", "frmInfo.lblText", "frmInfo.Command1", parent)
{
}
