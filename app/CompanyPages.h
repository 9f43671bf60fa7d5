#pragma once
// The two company pages, frmIntro ("Company Introduction") and frmInfo
// ("Company Information"): a short fixed text and Command1 (OK), which
// closes the page. Only the hidden Company menu opens them.
#include <QWidget>

class QLabel;
class QPushButton;

class CompanyPage : public QWidget {
    Q_OBJECT
public:
    void Command1_Click();

    QLabel* lblText = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    // The keys name the catalogue entries of the page's caption, text and button.
    CompanyPage(const char* name, const char* captionKey, const char* textKey, const char* buttonKey,
                QWidget* parent);
    void showEvent(QShowEvent* event) override;
};

class frmIntro : public CompanyPage {
    Q_OBJECT
public:
    explicit frmIntro(QWidget* parent = nullptr);
};

class frmInfo : public CompanyPage {
    Q_OBJECT
public:
    explicit frmInfo(QWidget* parent = nullptr);
};
