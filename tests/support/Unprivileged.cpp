#include "Unprivileged.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

bool giveToNobody(const QString& path)
{
    return ::chown(QFile::encodeName(path).constData(), kNobody, kNoGroup) == 0;
}

} // namespace

UnprivilegedRun rerunUnprivileged(const char* testFunction)
{
    UnprivilegedRun run;
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) {
        run.skipReason = QStringLiteral("root ignores file permissions, and setpriv (util-linux) "
                                        "is missing to run this as another user");
        return run;
    }
    // A copy in a folder of nobody's own: the build tree may lie in a
    // folder that nobody cannot enter.
    QTemporaryDir home;
    const QString program = home.filePath(QStringLiteral("test"));
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    if (!home.isValid() || !QFile::copy(QCoreApplication::applicationFilePath(), program)
        || !QDir().mkdir(runtime) || !giveToNobody(home.path()) || !giveToNobody(program)
        || !giveToNobody(runtime)) {
        run.failure = QStringLiteral("could not prepare a folder for user nobody");
        return run;
    }
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("TMPDIR"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(setpriv, {QStringLiteral("--reuid=%1").arg(kNobody), QStringLiteral("--regid=%1").arg(kNoGroup),
                          QStringLiteral("--clear-groups"), QStringLiteral("--"), program,
                          QString::fromLatin1(testFunction)});
    if (!child.waitForFinished(60000))
        child.kill();
    const QByteArray output = child.readAll();
    std::fputs(output.constData(), stdout);
    run.passed = child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    if (!run.passed)
        run.failure = QStringLiteral("the run as user nobody failed (output above)");
    return run;
}

NobodyRead readAsNobody(const QString& path)
{
    NobodyRead result;
    if (::geteuid() != 0) {
        result.skipReason = QStringLiteral("only root can read as another account; as this user any file "
                                           "of its own is readable, so reading would tell nothing");
        return result;
    }
    QString program = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    QStringList arguments{QStringLiteral("--reuid=%1").arg(kNobody), QStringLiteral("--regid=%1").arg(kNoGroup),
                          QStringLiteral("--clear-groups"), QStringLiteral("--")};
    if (program.isEmpty()) {
        program = QStandardPaths::findExecutable(QStringLiteral("runuser"));
        arguments = {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--")};
    }
    if (program.isEmpty()) {
        result.skipReason = QStringLiteral("neither setpriv nor runuser (util-linux) is there to read as user nobody");
        return result;
    }
    QProcess cat;
    cat.start(program, arguments << QStringLiteral("cat") << path);
    if (!cat.waitForFinished(30000))
        cat.kill();
    result.read = cat.exitStatus() == QProcess::NormalExit && cat.exitCode() == 0;
    result.bytes = cat.readAllStandardOutput();
    result.error = QString::fromLocal8Bit(cat.readAllStandardError());
    return result;
}
