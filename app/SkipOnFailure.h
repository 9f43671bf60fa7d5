#pragma once
// The main window's steps that end quietly when they fail (a toolbar
// command, the printer set-up, the shutdown steps): the user gets no box,
// as before, but the failure is written to the log (category korvane.app)
// so that a service technician can see what went wrong.
#include <QLoggingCategory>

#include <exception>

Q_DECLARE_LOGGING_CATEGORY(lcApp)

template <typename Step>
void skipOnFailure(const char* what, Step&& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        qCInfo(lcApp, "%s failed: %s", what, e.what());
    } catch (...) {
        qCInfo(lcApp, "%s failed", what);
    }
}
