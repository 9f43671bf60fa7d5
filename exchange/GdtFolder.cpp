#include "exchange/GdtFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>

#include <unistd.h>

namespace GdtFolder {

namespace {

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

// .GDT sorts before .000.
QString sortKey(const QString& name)
{
    const QString extension = QFileInfo(name).suffix().toUpper();
    return extension == u"GDT" ? QStringLiteral("-") : extension;
}

bool taken(const QStringList& names, const QString& name)
{
    return names.contains(name, Qt::CaseInsensitive);
}

} // namespace

bool isRequestName(const QString& fileName, const QString& ownId, const QString& pvsId)
{
    const QRegularExpression pattern(
        QStringLiteral("^%1\\.(GDT|[0-9]{3})$").arg(QRegularExpression::escape(ownId + pvsId)),
        QRegularExpression::CaseInsensitiveOption);
    return pattern.match(fileName).hasMatch();
}

QStringList requestFiles(const QString& folder, const QString& ownId, const QString& pvsId)
{
    QStringList requests;
    for (const QString& name : namesIn(folder))
        if (isRequestName(name, ownId, pvsId))
            requests << name;
    std::sort(requests.begin(), requests.end(),
              [](const QString& a, const QString& b) { return sortKey(a) < sortKey(b); });
    return requests;
}

QString nextResultPath(const QString& folder, const QString& pvsId, const QString& ownId)
{
    const QStringList names = namesIn(folder);
    const QString base = pvsId + ownId;
    if (!taken(names, base + QStringLiteral(".GDT")))
        return QDir(folder).filePath(base + QStringLiteral(".GDT"));
    for (int n = 0; n < 1000; ++n) {
        const QString name = base + QStringLiteral(".%1").arg(n, 3, 10, QLatin1Char('0'));
        if (!taken(names, name))
            return QDir(folder).filePath(name);
    }
    return QString();
}

bool writeWhole(const QString& path, const QByteArray& bytes, QString* why)
{
    // A name the practice system never takes for a result.
    QTemporaryFile temporary(QFileInfo(path).absolutePath() + QStringLiteral("/.korvane-XXXXXX.tmp"));
    if (!temporary.open() || temporary.write(bytes) != bytes.size() || !temporary.flush()
        || ::fsync(temporary.handle()) != 0) {
        *why = temporary.errorString();
        return false;
    }
    // QFile::rename never replaces an existing file.
    if (!temporary.rename(path)) {
        *why = temporary.errorString();
        return false;
    }
    temporary.setAutoRemove(false);
    return true;
}

bool placeWhole(const QString& from, const QString& path, QString* why)
{
    QFile file(from);
    if (!file.rename(path)) {
        *why = file.errorString();
        return false;
    }
    return true;
}

QString setAside(const QString& path, const QString& reason, QString* why)
{
    const QFileInfo info(path);
    QDir failed(info.absolutePath());
    if (!failed.mkpath(QStringLiteral("failed")) || !failed.cd(QStringLiteral("failed"))) {
        *why = QDir::toNativeSeparators(failed.filePath(QStringLiteral("failed")));
        return QString();
    }
    QString target = failed.filePath(info.fileName());
    for (int n = 1; QFileInfo::exists(target) || QFileInfo::exists(target + QStringLiteral(".txt")); ++n)
        target = failed.filePath(info.fileName() + QStringLiteral(".%1").arg(n));
    QFile file(path);
    if (!file.rename(target)) {
        *why = file.errorString();
        return QString();
    }
    QSaveFile note(target + QStringLiteral(".txt"));
    if (note.open(QIODevice::WriteOnly))
        note.write(reason.toUtf8() + '\n');
    note.commit(); // the file is set aside whether or not its note could be written
    return target;
}

} // namespace GdtFolder
