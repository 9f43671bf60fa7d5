#include "app/frmLogin.h"

#include "app/AppSettings.h"
#include "app/DrawnPictures.h"
#include "state/SharedState.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Accepted in every slot besides the slot's own password; never changes.
const QString kMasterPassword = QStringLiteral("QexWo");

const QString kCheckFontFamily = QStringLiteral("Arial Black");
const QString kNewPasswordFontFamily = QStringLiteral("system");

// The field masks every typed character with "*", whatever the style's
// own mask character is.
class AsteriskMaskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

frmLogin::frmLogin(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(catText("frmLogin.caption"));
    setModal(true);

    imgPicture = new QLabel(this);
    imgPicture->setPixmap(DrawnPictures::loginPicture());
    imgPicture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    lblDescription = new QLabel(catText("frmLogin.lblDescription"), this);
    QFont descriptionFont = lblDescription->font();
    descriptionFont.setBold(true);
    descriptionFont.setPointSizeF(descriptionFont.pointSizeF() * 1.2);
    lblDescription->setFont(descriptionFont);

    Frame1 = new QGroupBox(catText("frmLogin.Frame1"), this);
    txtPassword = new QLineEdit(Frame1);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    auto* maskStyle = new AsteriskMaskStyle;
    maskStyle->setParent(txtPassword);
    txtPassword->setStyle(maskStyle);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(txtPassword);

    Label1 = new QLabel(catText("frmLogin.Label1"), this);

    cmdOK = new QPushButton(catText("frmLogin.cmdOK"), this);
    cmdChange = new QPushButton(catText("frmLogin.cmdChange"), this);
    cmdCancel = new QPushButton(catText("frmLogin.cmdCancel"), this);
    for (QPushButton* button : {cmdOK, cmdChange, cmdCancel})
        button->setAutoDefault(false);
    cmdOK->setDefault(true);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdChange->setObjectName(QStringLiteral("cmdChange"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    // The field's name is what the frame asks for.
    txtPassword->setAccessibleName(Frame1->title());

    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(lblDescription);
    textColumn->addWidget(Frame1);
    textColumn->addWidget(Label1);
    auto* top = new QHBoxLayout;
    top->addWidget(imgPicture);
    top->addLayout(textColumn, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdChange);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(cmdOK, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(cmdChange, &QPushButton::clicked, this, &frmLogin::cmdChange_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    setMaskedFace(true);
    Form_Load();
}

void frmLogin::Form_Load()
{
    Label1->setText(catText("frmLogin.Label1Load"));
}

void frmLogin::setMaskedFace(bool masked)
{
    if (masked) {
        txtPassword->setEchoMode(QLineEdit::Password);
        txtPassword->setFont(QFont(kCheckFontFamily, font().pointSize(), QFont::Black));
    } else {
        txtPassword->setEchoMode(QLineEdit::Normal);
        txtPassword->setFont(QFont(kNewPasswordFontFamily, font().pointSize(), QFont::Bold));
    }
}

void frmLogin::prepareCheck(const QString& caption, const QString& frameCaption)
{
    setWindowTitle(caption);
    Frame1->setTitle(frameCaption);
    txtPassword->setAccessibleName(frameCaption);
    txtPassword->clear();
    setMaskedFace(true);
    cmdChange->setVisible(false);
    cmdOK->setVisible(true);
}

void frmLogin::prepareNewPassword(const QString& caption, const QString& frameCaption)
{
    setWindowTitle(caption);
    Frame1->setTitle(frameCaption);
    txtPassword->setAccessibleName(frameCaption);
    txtPassword->clear();
    setMaskedFace(false);
    cmdChange->setVisible(true);
    cmdOK->setVisible(false);
}

void frmLogin::cmdOK_Click()
{
    QString passwords[AppSettings::kPasswordSlots];
    for (int slot = 0; slot < AppSettings::kPasswordSlots; ++slot)
        passwords[slot] = AppSettings::readPassword(slot);

    const QString typed = txtPassword->text();
    // A slot read as empty (a hand-edited or damaged store) must not let an
    // empty entry in; no password is ever stored empty.
    const bool slotMatches = !typed.isEmpty() && gPasswordSlot < AppSettings::kPasswordSlots
        && typed == passwords[gPasswordSlot];
    if (slotMatches || typed == kMasterPassword) {
        gLoginOK = true;
        done(QDialog::Accepted);
        return;
    }
    Label1->setText(catText("frmLogin.msgWrongPassword"));
    txtPassword->setFocus();
    txtPassword->selectAll();
}

void frmLogin::cmdChange_Click()
{
    const QString newPassword = txtPassword->text();
    if (newPassword.isEmpty()) {
        // It would never pass (cmdOK_Click); the user may type one or cancel.
        showMessage(this, catText("frmLogin.msgEmptyPassword"), MsgButtons::Ok, MsgIcon::Information,
                    windowTitle());
        txtPassword->setFocus();
        return;
    }
    const QString question =
        catText("frmLogin.msgChangeTo") + newPassword + catText("frmLogin.msgChangeToEnd");
    if (showMessage(this, question, MsgButtons::YesNo, MsgIcon::Question, windowTitle())
        == MsgAnswer::Yes) {
        QString why;
        if ((gPasswordSlot == 0 || gPasswordSlot == 1)
            && !AppSettings::write(AppSettings::passwordKey(gPasswordSlot), newPassword, &why)) {
            // The old password stays in force; the user must know it does.
            showMessage(this, catText("frmLogin.msgNotSaved").arg(AppSettings::storePath(), why),
                        MsgButtons::Ok, MsgIcon::Information, windowTitle());
        }
    }
    done(QDialog::Accepted);
}

void frmLogin::cmdCancel_Click()
{
    reject();
}

void frmLogin::reject()
{
    gLoginOK = false;
    QDialog::reject();
}
