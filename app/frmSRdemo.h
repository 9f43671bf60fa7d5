#pragma once
// The quick-use slide show: one picture and one text per step of the work
// flow (QuickUseSlides.h), walked with First, Previous, Next and Last or
// with the keys of the data windows (views/RecordKeys.h: Esc closes, Home
// and End go to the ends, Up/Page Up and Down/Page Down step, with Ctrl
// alone to the ends). The keys reach the window before its controls. The
// caption tells the slide: "Quick Use " + number + " / " + count.
#include "app/QuickUseSlides.h"

#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;

class frmSRdemo : public QWidget {
    Q_OBJECT
public:
    // Load step included: shows the first slide.
    explicit frmSRdemo(QWidget* parent = nullptr);

    void Form_Load();
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void cmdClose_Click();
    // True when the key is one of the window's.
    bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers);

    int slideNumber() const { return m_navigation.current(); }
    int slideCount() const { return m_navigation.count(); }
    // The picture of the slide shown, at its own size.
    QPixmap slidePicture() const { return m_picture; }

    QLabel* Image1 = nullptr;
    QLabel* Text1 = nullptr;
    QPushButton* cmdFirst = nullptr;
    QPushButton* cmdPrevious = nullptr;
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdLast = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showSlide();
    void fitPicture();

    QList<QuickUseSlide> m_slides;
    SlideNavigation m_navigation;
    QPixmap m_picture;
};
