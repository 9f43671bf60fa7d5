#include "tools/recorder/PtyEndpoint.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

PtyEndpoint::~PtyEndpoint()
{
    close();
}

bool PtyEndpoint::open(QString* error)
{
    close();
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        if (error)
            *error = systemError();
        return false;
    }
    termios raw {};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    // The slave stays closed on our side, so that peerIsOpen() can tell
    // when a program has opened it (the master reports a hang-up until then).
    ::close(slave);
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    m_master = master;
    m_device = QString::fromLocal8Bit(name);
    return true;
}

bool PtyEndpoint::createLink(const QString& linkPath, QString* error)
{
    if (!isOpen()) {
        if (error)
            *error = QStringLiteral("no pseudo-terminal");
        return false;
    }
    // Make the new link beside the old one and rename it over, so the name
    // never points nowhere.
    const QString temporary = linkPath + QStringLiteral(".new");
    QFile::remove(temporary);
    if (::symlink(QFile::encodeName(m_device).constData(), QFile::encodeName(temporary).constData()) != 0
        || ::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(linkPath).constData()) != 0) {
        if (error)
            *error = systemError();
        QFile::remove(temporary);
        return false;
    }
    m_link = linkPath;
    return true;
}

bool PtyEndpoint::peerIsOpen() const
{
    if (!isOpen())
        return false;
    pollfd p {m_master, POLLOUT, 0};
    ::poll(&p, 1, 0);
    return !(p.revents & POLLHUP);
}

qint64 PtyEndpoint::write(const QByteArray& bytes, int timeoutMs)
{
    if (!isOpen())
        return 0;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            break;
        pollfd p {m_master, POLLOUT, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            break;
    }
    return done;
}

void PtyEndpoint::close()
{
    if (!m_link.isEmpty()) {
        // Only our own link: someone may have pointed the name elsewhere.
        if (QFileInfo(m_link).symLinkTarget() == m_device)
            QFile::remove(m_link);
        m_link.clear();
    }
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
    m_device.clear();
}
