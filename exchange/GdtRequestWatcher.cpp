#include "exchange/GdtRequestWatcher.h"

#include "exchange/GdtFolder.h"
#include "exchange/GdtLines.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

GdtRequestWatcher::GdtRequestWatcher(Hooks hooks, QObject* parent) : QObject(parent), m_hooks(std::move(hooks))
{
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, &GdtRequestWatcher::scan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &GdtRequestWatcher::scan);
}

void GdtRequestWatcher::watch(const QString& folder, const QString& ownId, const QString& pvsId)
{
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_seen.clear();
    m_folder = folder;
    m_ownId = ownId;
    m_pvsId = pvsId;
    if (folder.isEmpty()) {
        m_poll.stop();
        return;
    }
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    m_poll.start();
    scan();
}

void GdtRequestWatcher::scan()
{
    // A hook that shows a message runs an event loop; a scan then waits.
    if (m_folder.isEmpty() || m_scanning)
        return;
    m_scanning = true;
    QHash<QString, Seen> seen;
    for (const QString& name : GdtFolder::requestFiles(m_folder, m_ownId, m_pvsId)) {
        const QString path = QDir(m_folder).filePath(name);
        const qint64 size = QFileInfo(path).size();
        Seen now = m_seen.value(path);
        now.stableScans = now.size == size ? now.stableScans + 1 : 0;
        now.size = size;
        seen.insert(path, now);
        if (now.stableScans == 0)
            continue;
        bool whole = now.stableScans >= m_settleScans;
        if (!whole && size <= kLargestRequest) {
            QFile file(path);
            whole = file.open(QIODevice::ReadOnly) && gdtDeclaredFileLength(file.readAll()) == size;
        }
        if (whole) {
            seen.remove(path);
            take(path);
        }
    }
    m_seen = seen;
    m_scanning = false;
}

void GdtRequestWatcher::take(const QString& path)
{
    QFile file(path);
    std::variant<GdtRequest, GdtReadError> read = GdtReadError{0, catText("gdt.errUnreadable")};
    if (file.size() > kLargestRequest)
        read = GdtReadError{0, catText("gdt.errTooLarge")};
    else if (file.open(QIODevice::ReadOnly))
        read = readGdtRequest(file.readAll());
    file.close();
    if (const auto* request = std::get_if<GdtRequest>(&read)) {
        // Taken, then deleted: a request that cannot be deleted would come again.
        if (!QFile::remove(path)) {
            QString why;
            GdtFolder::setAside(path, catText("gdt.noteNotDeleted"), &why);
        }
        if (m_hooks.taken)
            m_hooks.taken(*request, path);
        return;
    }
    const GdtReadError& error = std::get<GdtReadError>(read);
    const QString note = error.line > 0 ? catText("gdt.noteLine").arg(error.line).arg(error.reason) : error.reason;
    QString why;
    const QString moved = GdtFolder::setAside(path, note, &why);
    if (m_hooks.refused)
        m_hooks.refused(path, error, moved);
}
