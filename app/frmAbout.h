#pragma once
// The about box: the product picture, the description, the edition's
// version line, a legal notice against copying and passing on the
// program, and OK, which closes it.
#include <QWidget>

class QLabel;
class QPushButton;

class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void cmdOK_Click();

    QLabel* imgLogo = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
