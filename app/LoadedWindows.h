#pragma once
// Remembers the program's top-level windows in the order they were last
// shown, so that closing "every other window, the most recently loaded
// first" does not depend on which window opened which. Watches the whole
// application through an event filter once installed.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class LoadedWindows : public QObject {
    Q_OBJECT
public:
    static LoadedWindows& instance();

    // Starts watching (idempotent). Needs a QApplication.
    void install();

    // Windows that are shown now, the most recently shown last.
    QList<QWidget*> shownWindows() const;

    // Closes every shown window except `keep`, the most recently shown
    // first. A window that refuses to close stays; the rest still close.
    void closeAllExcept(const QWidget* keep);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LoadedWindows() = default;
    static bool isTrackedWindow(const QWidget* widget);
    std::vector<QPointer<QWidget>> m_order;
    bool m_installed = false;
};
