#pragma once
// Tells which activations of a window start it over: its first showing and
// every return to it from another window of the program. Coming back from
// a message box, a modal dialog, a popup or another program is not a
// return.
//
//   WindowReturns m_returns{this};
//   bool event(QEvent* e) { if (e->type() == QEvent::WindowActivate
//                               && m_returns.takeActivation()) startOver(); ... }
#include <QObject>

class QWidget;

class WindowReturns : public QObject {
    Q_OBJECT
public:
    explicit WindowReturns(QWidget* window);
    ~WindowReturns() override;

    // For the window's activation: true when it is the first or a return.
    bool takeActivation();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_activatedOnce = false;
    bool m_otherWindowActivated = false;
};
