#pragma once
// The one place that tells views what changed in the shared state, so that
// a window follows the state instead of re-reading the globals on a guess.
// Emitted on the user-interface thread right after the change is made.
#include <QObject>

class StateNotifier : public QObject {
    Q_OBJECT
public:
    static StateNotifier& instance();

signals:
    // gDataFile or gFileReady changed (New, Open, Save, Close, a failed open).
    void dataFileChanged();
    // gRecordset is a new record set (a cursor opened the file afresh).
    void recordsetOpened();
    // gBpStats and gBpClass hold a new computation.
    void statisticsChanged();
    // The current data file's recording details or review (set-aside
    // readings) were written.
    void recordingDetailsChanged();

private:
    StateNotifier() = default;
};
