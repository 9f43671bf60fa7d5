#pragma once
// What the data list window and the record editor share: the record cursor
// "Primary" they bind to, the navigation strip's four moves, the failure
// box, the key table, binding again when the window becomes active after
// another window opened a cursor, and unloading when the window closes.
// Each window fills in how it binds, what it saves before a move and how it
// shows the record counter.
#include <QWidget>

#include <memory>

class clsbpdata;

// The record counter: label and position while there is a current record,
// nothing otherwise (an empty file, or before the first or after the last).
QString recordCounterText(const QString& label, qint32 position);

class RecordWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecordWindow(QWidget* parent = nullptr);
    ~RecordWindow() override;

    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void cmdClose_Click();

    // Key table; true when the key was taken.
    virtual bool Form_KeyDown(int key, Qt::KeyboardModifiers modifiers) = 0;
    // Binds again when the cursor's data member is no longer the record set
    // the window shows (another window opened a cursor since).
    virtual void rebindIfStale() = 0;

    std::unique_ptr<clsbpdata> PrimaryCLS;

protected:
    // Moves the cursor: binds again if needed, lets the window save what it
    // holds, moves, and shows a failure. True when the move succeeded.
    bool navigate(bool (clsbpdata::*move)());
    // Before a move; false keeps the record (a refused value).
    virtual bool beforeMove() { return true; }
    // After a move, whether or not it succeeded.
    virtual void afterMove() {}
    virtual void showRecordCounter() = 0;
    virtual void Form_Resize() = 0;
    virtual void Form_Unload() = 0;
    void showFailure(const QString& description);

    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
