#pragma once
// The navigation strip along the bottom of the data windows: First and
// Previous at the left, the record counter, Next and Last after it. The
// counter grows with the window and Next and Last follow its right end.
#include <QToolButton>
#include <QWidget>

class QLabel;

class RecordNavigationStrip : public QWidget {
    Q_OBJECT
public:
    // window: the owning window's name in the message catalogue (the
    // buttons' names are looked up under it); windowWidthTwips: its width
    // at first, which the counter starts from.
    RecordNavigationStrip(const char* window, int windowWidthTwips, QWidget* parent);

    // Lies along the bottom of a window of the given size in pixels.
    void placeAtBottom(int windowWidth, int windowHeight);

    QToolButton* cmdFirst = nullptr;
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNext = nullptr;
    QToolButton* cmdLast = nullptr;
    QLabel* lblStatus = nullptr;

private:
    QToolButton* makeButton(const char* window, const char* name);
};

// Clicking a button runs the window's command of the same name.
template <class Window>
void connectNavigation(const RecordNavigationStrip& strip, Window* window)
{
    QObject::connect(strip.cmdFirst, &QToolButton::clicked, window, &Window::cmdFirst_Click);
    QObject::connect(strip.cmdPrevious, &QToolButton::clicked, window, &Window::cmdPrevious_Click);
    QObject::connect(strip.cmdNext, &QToolButton::clicked, window, &Window::cmdNext_Click);
    QObject::connect(strip.cmdLast, &QToolButton::clicked, window, &Window::cmdLast_Click);
}
