#pragma once
// The password window: one window for the login at start, the two password
// changes and the two requirement switches. The caller prepares it (caption,
// frame caption, face, slot in gPasswordSlot), shows it modally through the
// seams and then reads gLoginOK. Every showing is a fresh window, so it
// always starts from its designed state.
//
// The empty entry never passes, whatever the slot holds, so Change refuses
// an empty new password (the window stays for another). A new password the
// store refuses is said, with the store's path and why; the old one stays.
#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    explicit frmLogin(QWidget* parent = nullptr);

    // Check face: masked field, OK shown, Change hidden.
    void prepareCheck(const QString& caption, const QString& frameCaption);
    // New-password face: clear field in the "system" font, Change shown, OK hidden.
    void prepareNewPassword(const QString& caption, const QString& frameCaption);

    QLineEdit* txtPassword = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* imgPicture = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdChange = nullptr;
    QPushButton* cmdCancel = nullptr;

    void cmdOK_Click();
    void cmdChange_Click();
    void cmdCancel_Click();

    // Closing the window in any way but OK or Change counts as Cancel.
    void reject() override;

private:
    void Form_Load();
    void setMaskedFace(bool masked);
};
