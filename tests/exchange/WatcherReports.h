#pragma once
// For the request watcher's tests: files written and read back in the
// watched folder, and what the watcher reported, kept in order.
#include "exchange/GdtRequestWatcher.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtTest>

namespace gdttest {

inline void writeFile(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode = QIODevice::WriteOnly)
{
    QFile file(path);
    QVERIFY(file.open(mode));
    QCOMPARE(file.write(bytes), bytes.size());
}

inline QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Catch {
    QList<GdtRequest> taken;
    QStringList refused; // "name:line"
    QStringList reasons;
    QStringList moved;
    QStringList notMoved;
    QStringList restLeft; // "name:line"
    GdtRequestWatcher::Hooks hooks()
    {
        return {[this](const GdtRequest& r, const QString&) { taken << r; },
                [this](const QString& path, const GdtReadError& e, const QString& to, const QString& why) {
                    refused << QFileInfo(path).fileName() + u':' + QString::number(e.line);
                    reasons << e.reason;
                    moved << to;
                    notMoved << why;
                },
                [this](const QString& path, int line, const QString& to, const QString& why) {
                    restLeft << QFileInfo(path).fileName() + u':' + QString::number(line);
                    moved << to;
                    notMoved << why;
                }};
    }
};

} // namespace gdttest
