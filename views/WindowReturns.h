#pragma once
// Tells which activations of a window start it over: its first showing and
// every return to it from another window of the program. Coming back from
// a message box, a modal dialog, a popup or another program is not a
// return.
//
//   WindowReturns m_returns{this};
//   bool event(QEvent* e) {
//       const bool over = m_returns.startsOver(e);  // before handling it
//       const bool handled = QWidget::event(e);
//       if (over) startOver();
//       return handled; }
#include <QObject>

class QWidget;

class WindowReturns : public QObject {
    Q_OBJECT
public:
    explicit WindowReturns(QWidget* window);
    ~WindowReturns() override;

    // For each event of the window: true when it is the window's activation
    // and that is its first or a return.
    bool startsOver(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_activatedOnce = false;
    bool m_otherWindowActivated = false;
};
