#pragma once
// The main window's side of the link with the practice system: it watches
// the request folder while the link is on, keeps the request that waits
// for the next recording and says so, fills a new file's patient from it,
// opens the newest file of a patient on a 6311, sends the result when the
// readings of such a file are stored and on the Send command. The report's
// PDF comes from the maker it is given (the printing layer's).
#include "exchange/GdtRequestWatcher.h"
#include "exchange/GdtSend.h"
#include "exchange/GdtSettings.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <optional>

class QWidget;

class GdtLink : public QObject {
    Q_OBJECT
public:
    GdtLink(QWidget* window, GdtPdfMaker makePdf);

    // Reads the settings and watches (or stops) accordingly.
    void applySettings();
    const GdtSettings& settings() const { return m_settings; }

    const std::optional<GdtRequest>& waiting() const { return m_waiting; }
    // "Request waiting: name (number, born ...)"; empty when none waits.
    QString waitingText() const;
    // Called whenever the waiting request changes.
    void setChangedHook(std::function<void()> hook) { m_changed = std::move(hook); }

    // New: with a request waiting, proposes a name from the patient and the
    // day and fills the new file's patient; otherwise New as it is.
    void runNew();
    // The File menu's Send command on the current file.
    void sendCurrent();
    // After readings were stored in the current file.
    void readingsStored();

    GdtRequestWatcher& watcher() { return m_watcher; }

private:
    void taken(const GdtRequest& request, const QString& path);
    void refused(const QString& path, const GdtReadError& error, const QString& moved, const QString& notMoved);
    void restLeft(const QString& path, int line, const QString& moved, const QString& notMoved);
    void wait(const GdtRequest& request);
    void showExamination(const GdtRequest& request);
    void setWaiting(std::optional<GdtRequest> request);

    QPointer<QWidget> m_window;
    GdtPdfMaker m_makePdf;
    GdtSettings m_settings;
    GdtRequestWatcher m_watcher;
    std::optional<GdtRequest> m_waiting;
    // Data files whose patient came from the practice system.
    QSet<QString> m_fromPvs;
    std::function<void()> m_changed;
};
