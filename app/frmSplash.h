#pragma once
// The splash window shown over the main window at start: picture,
// "PC Compatible", the description and the edition's version line. It
// stays centred on the main window as that window is placed, sized or
// maximised, and closes itself after 3000 ms, or at once on a click on it
// or on any key press in the program, wherever the keyboard focus is.
#include <QWidget>

class QLabel;
class QTimer;

class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMilliseconds = 3000;

    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* imgLogo = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* lblProductName = nullptr; // the description line
    QLabel* lblVersion = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void centreOnOwner();
};
