#include "exchange/GdtRequestWatcher.h"

#include "exchange/GdtLines.h"
#include "platform/Seams.h"
#include "text/MessageCatalogue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString noteOf(const GdtReadError& error)
{
    return error.line > 0 ? catText("gdt.noteLine").arg(error.line).arg(error.reason) : error.reason;
}

} // namespace

GdtRequestWatcher::GdtRequestWatcher(Hooks hooks, QObject* parent)
    : QObject(parent), m_hooks(std::move(hooks)), m_clock([] { return seams().now(); })
{
    m_poll.setInterval(1000);
    connect(&m_poll, &QTimer::timeout, this, &GdtRequestWatcher::scan);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &GdtRequestWatcher::scan);
}

void GdtRequestWatcher::watch(const QString& folder, const QString& ownId, const QString& pvsId)
{
    if (folder == m_folder && ownId == m_ownId && pvsId == m_pvsId)
        return;
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_seen.clear();
    m_done.clear();
    m_folder = folder;
    m_ownId = ownId;
    m_pvsId = pvsId;
    if (folder.isEmpty()) {
        m_poll.stop();
        return;
    }
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    if (!m_paused) {
        m_poll.start();
        scan();
    }
}

void GdtRequestWatcher::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    if (paused)
        m_poll.stop();
    else if (!m_folder.isEmpty()) {
        m_poll.start();
        scan();
    }
}

void GdtRequestWatcher::scan()
{
    // A hook that shows a message runs an event loop; a scan then waits.
    if (m_folder.isEmpty() || m_paused || m_scanning)
        return;
    m_scanning = true;
    const QDateTime now = m_clock();
    QHash<QString, Seen> seen;
    QHash<QString, GdtFolder::Stamp> done;
    for (const QString& name : GdtFolder::requestFiles(m_folder, m_ownId, m_pvsId)) {
        const QString path = QDir(m_folder).filePath(name);
        const GdtFolder::Stamp stamp = GdtFolder::stampOf(path);
        if (!stamp.exists)
            continue;
        if (const auto handled = m_done.constFind(path); handled != m_done.cend() && *handled == stamp) {
            done.insert(path, stamp);
            continue;
        }
        const auto before = m_seen.constFind(path);
        if (before == m_seen.cend() || !(before->stamp == stamp)) {
            seen.insert(path, {stamp, now}); // new or changed: look again next scan
            continue;
        }
        const GdtFolder::Read read = GdtFolder::readRegular(path, kLargestRequest);
        const bool incomplete = read.status == GdtFolder::Read::Status::Read && !gdtFileComplete(read.bytes);
        if (incomplete && before->unchangedSince.secsTo(now) < m_waitLimitSeconds) {
            seen.insert(path, *before);
            continue;
        }
        take(path, read, incomplete);
        // Still there (not deleted, not moved): never again as it is.
        if (const GdtFolder::Stamp after = GdtFolder::stampOf(path); after.exists)
            done.insert(path, after);
    }
    m_seen = seen;
    m_done = done;
    m_scanning = false;
}

void GdtRequestWatcher::take(const QString& path, const GdtFolder::Read& read, bool incomplete)
{
    using Status = GdtFolder::Read::Status;
    switch (read.status) {
    case Status::NotRegular: return refuse(path, {0, catText("gdt.errNotRegular")});
    case Status::TooLarge: return refuse(path, {0, catText("gdt.errTooLarge")});
    case Status::Failed: return refuse(path, {0, catText("gdt.errUnreadable").arg(read.why)});
    case Status::Read: break;
    }
    if (incomplete) {
        const qint64 declared = gdtDeclaredFileLength(read.bytes);
        return refuse(path, {0, catText("gdt.errIncomplete")
                                    .arg(m_waitLimitSeconds)
                                    .arg(declared < 0 ? catText("gdt.errNoLength") : QString::number(declared))
                                    .arg(read.bytes.size())});
    }
    const std::variant<GdtRequest, GdtReadError> parsed = readGdtRequest(read.bytes);
    const auto* request = std::get_if<GdtRequest>(&parsed);
    if (!request)
        return refuse(path, std::get<GdtReadError>(parsed));

    // Taken, then deleted: a request that cannot be deleted would come
    // again. A file with more in it is kept in failed/, so nothing is lost.
    QString moved, notMoved;
    if (request->restFromLine > 0)
        moved = GdtFolder::setAside(path, catText("gdt.noteRestLeft").arg(request->restFromLine), &notMoved);
    else if (!QFile::remove(path))
        GdtFolder::setAside(path, catText("gdt.noteNotDeleted"), &notMoved);
    if (m_hooks.taken)
        m_hooks.taken(*request, path);
    if (request->restFromLine > 0 && m_hooks.restLeft)
        m_hooks.restLeft(path, request->restFromLine, moved, notMoved);
}

void GdtRequestWatcher::refuse(const QString& path, const GdtReadError& error)
{
    QString notMoved;
    const QString moved = GdtFolder::setAside(path, noteOf(error), &notMoved);
    if (m_hooks.refused)
        m_hooks.refused(path, error, moved, notMoved);
}
