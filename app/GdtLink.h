#pragma once
// The main window's side of the link with the practice system: it watches
// the request folder while the link is on, keeps the request that waits
// for the next recording and says so, fills a new file's patient from it
// and marks the file as the practice system's (GdtOrigin.h), opens the
// newest file of a patient on a 6311, sends the result when the readings
// of such a file are stored (in this run or any later one) and on the Send
// command, and says while the current file's result is due. While New
// runs, requests wait in their folder: New works on the request that waited
// when it started. The report's PDF comes from the maker it is given (the
// printing layer's).
#include "data/GdtOrigin.h"
#include "exchange/GdtRequestWatcher.h"
#include "exchange/GdtSend.h"
#include "exchange/GdtSettings.h"

#include <QObject>
#include <QPointer>

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
    // "Result due for the practice system: name (number)" while the
    // current file came from the practice system and its result was not
    // sent since its readings were last stored; empty otherwise.
    QString resultDueText() const { return m_resultDue; }
    // Called whenever the waiting request or the result due changes.
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
    void fillNewFile(const GdtRequest& request);
    void markSent(GdtOrigin origin, const GdtSendOutcome& outcome);
    void followDataFile();
    void refreshResultDue();
    void changed();

    QPointer<QWidget> m_window;
    GdtPdfMaker m_makePdf;
    GdtSettings m_settings;
    GdtRequestWatcher m_watcher;
    std::optional<GdtRequest> m_waiting;
    QString m_resultDue;
    QString m_resultDueFile; // the file m_resultDue is of
    std::function<void()> m_changed;
};
