#pragma once
// Root ignores file permissions, so a test of a write-protected store would
// pass for the wrong reason under root (as in CI). Such a test function
// starts with KORVANE_UNPRIVILEGED_WHEN_ROOT(): under root it runs the same
// function again in a copy of the test program as user nobody, shows what
// that run printed (so its warnings count as this test's) and passes or
// fails with it. Without setpriv the function is skipped, saying why.
#include <QString>
#include <QtTest>

#include <unistd.h>

struct UnprivilegedRun {
    bool passed = false;
    QString skipReason; // not empty when the run could not be made
    QString failure;
};

UnprivilegedRun rerunUnprivileged(const char* testFunction);

// Reads a file as user nobody would (cat in a child process switched to
// nobody by setpriv, else runuser), so a test under root can tell whether
// another account may read what the program wrote.
struct NobodyRead {
    QString skipReason; // not empty when it could not be tried
    bool read = false;
    QByteArray bytes;
    QString error; // what cat said when it could not read
};

NobodyRead readAsNobody(const QString& path);

#define KORVANE_UNPRIVILEGED_WHEN_ROOT()                                              \
    do {                                                                              \
        if (::geteuid() == 0) {                                                       \
            const UnprivilegedRun run = rerunUnprivileged(QTest::currentTestFunction()); \
            if (!run.skipReason.isEmpty())                                            \
                QSKIP(qPrintable(run.skipReason));                                    \
            QVERIFY2(run.passed, qPrintable(run.failure));                            \
            return;                                                                   \
        }                                                                             \
    } while (false)
