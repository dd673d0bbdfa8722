#pragma once

// Runs one test function of this test executable again in another setting (another user, a
// user and mount namespace), for failures that cannot be staged in the running process.

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <unistd.h>

namespace testsupport {

// The value the outer run passed to the rerun; empty in the outer run itself.
inline QByteArray rerunValue()
{
    return qgetenv("NUMIK_RERUN");
}

struct Rerun
{
    bool started = false; // the wrapper could be run at all
    int exitCode = -1;
    QByteArray output;
};

// Runs `wrapper... <this executable> <function>` with NUMIK_RERUN=value.
inline Rerun rerunUnder(const QStringList &wrapper, const QString &function, const QByteArray &value,
                        const QString &executable = QCoreApplication::applicationFilePath())
{
    Rerun run;
    if (wrapper.isEmpty() || QStandardPaths::findExecutable(wrapper.front()).isEmpty())
        return run;
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("NUMIK_RERUN"), QString::fromLocal8Bit(value));
    // the rerun stages a file failure and needs no display; the user "nobody" could not even
    // read the cookie of the X server that the outer run may be using
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(wrapper.front(), wrapper.mid(1) + QStringList{executable, function});
    if (!process.waitForStarted() || !process.waitForFinished(120000))
        return run;
    run.started = true;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAll();
    return run;
}

// `unshare -rm` with a tmpfs of `kib` KiB mounted on folder: a full disk that needs no root.
inline QStringList tinyDiskWrapper(const QString &folder, int kib)
{
    return {QStringLiteral("unshare"), QStringLiteral("-rm"), QStringLiteral("sh"), QStringLiteral("-c"),
            QStringLiteral("mount -t tmpfs -o size=%1k numik \"$0\" && exec \"$@\"").arg(kib), folder};
}

// This executable copied where any account may run it, whatever the checkout's folders allow.
inline QString copyForEveryone()
{
    static QTemporaryDir copies;
    const QString copy = copies.filePath(QStringLiteral("unprivileged-test"));
    if (!QFile::exists(copy)) {
        QFile::setPermissions(copies.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                                 | QFile::ExeOther);
        QFile::copy(QCoreApplication::applicationFilePath(), copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    }
    return copy;
}

// Root writes whatever the permissions say: a refusal is staged as the user "nobody".
inline Rerun rerunUnprivileged(const QString &function, const QByteArray &value = "1")
{
    return rerunUnder({QStringLiteral("setpriv"), QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                       QStringLiteral("--clear-groups")},
                      function, value, copyForEveryone());
}

// The same as the account uid whose group and only other group is gid (numbers need no entry in
// the account database), working under umask as a pupil's session would.
inline Rerun rerunAsAccount(uint uid, uint gid, const QString &umask, const QString &function, const QByteArray &value)
{
    return rerunUnder({QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(uid),
                       QStringLiteral("--regid=%1").arg(gid), QStringLiteral("--groups=%1").arg(gid),
                       QStringLiteral("sh"), QStringLiteral("-c"), QStringLiteral("umask %1 && exec \"$0\" \"$@\"").arg(umask)},
                      function, value, copyForEveryone());
}

// Whether this run must hand a permissions case to rerunUnprivileged.
inline bool needsUnprivilegedRerun()
{
    return ::geteuid() == 0 && rerunValue().isEmpty();
}

} // namespace testsupport
