#pragma once
// A store cut off by a crash, for tests of damaged files: a child process
// starts a large store into the file and is killed (SIGKILL) inside its
// transaction after its pages spilled into the file. What a power cut or a
// crash at another workstation leaves: a file with a hot journal beside it.
#include <QFile>
#include <QString>

#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

// True when the child was killed inside its store, as meant.
inline bool crashInsideAStore(const QString& path)
{
    const QByteArray file = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child == 0) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            ::_exit(2);
        // A tiny page cache makes the store write into the file before commit.
        sqlite3_exec(db, "PRAGMA cache_size=2; PRAGMA synchronous=FULL; BEGIN IMMEDIATE;", nullptr, nullptr, nullptr);
        for (int i = 0; i < 20000; ++i)
            sqlite3_exec(db, "insert into ambpdata (SYS_mmHg, DIA_mmHg, MAP_mmHg, Pulse_min) values (200, 100, 133, 99)",
                         nullptr, nullptr, nullptr);
        ::raise(SIGKILL);
        ::_exit(3);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}
