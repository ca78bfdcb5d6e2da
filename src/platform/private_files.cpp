#include "platform/private_files.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>
#include <algorithm>
#include <filesystem>
#include <system_error>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace skelvane {

namespace {

void SetError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

#ifndef Q_OS_WIN
QString SystemReason(int number) {
    return QString::fromLocal8Bit(std::strerror(number));
}
#endif

} // namespace

bool MakePrivateFolder(const QString& folder, QString* error) {
    const QString absolute = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
#ifdef Q_OS_WIN
    // The per-user profile folders are private already.
    if (QDir().mkpath(absolute))
        return true;
    SetError(error, QStringLiteral("cannot create the folder %1").arg(absolute));
    return false;
#else
    // The missing folders, outermost first.
    QStringList missing;
    for (QString path = absolute; !QFileInfo::exists(path) && !QDir(path).isRoot();
         path = QFileInfo(path).absolutePath())
        missing.prepend(path);
    for (const QString& path : missing) {
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) {
            SetError(
                error,
                QStringLiteral("cannot create the folder %1: %2").arg(path, SystemReason(errno)));
            return false;
        }
    }
    if (!QFileInfo(absolute).isDir()) {
        SetError(error, QStringLiteral("%1 is not a folder").arg(absolute));
        return false;
    }
    return true;
#endif
}

bool MakePrivateFile(const QString& path, QString* error) {
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    Q_UNUSED(error);
    return true; // files under the user's profile are private already
#else
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (::stat(name.constData(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            SetError(error, QStringLiteral("%1 is not a file").arg(path));
            return false;
        }
        if ((info.st_mode & 077) == 0)
            return true;
        if (::chmod(name.constData(), info.st_mode & 0700) == 0)
            return true;
        SetError(error, SystemReason(errno));
        return false;
    }
    // Created with its mode at once, so that it is never readable by others, not even for
    // a moment.
    const int file = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0 && errno != EEXIST) {
        SetError(error, SystemReason(errno));
        return false;
    }
    if (file >= 0)
        ::close(file);
    return true;
#endif
}

QString WhyWritesFail(const QString& folder, qint64 bytes) {
#ifdef Q_OS_WIN
    QTemporaryFile trial(folder + QStringLiteral("/.Skelvane-XXXXXX"));
    if (!trial.open())
        return trial.errorString();
    const QByteArray block(static_cast<qsizetype>(bytes), '\0');
    if (trial.write(block) != block.size() || !trial.flush())
        return trial.errorString();
    return {};
#else
    QByteArray name = QFile::encodeName(folder + QStringLiteral("/.Skelvane-XXXXXX"));
    const int file = ::mkstemp(name.data());
    if (file < 0)
        return SystemReason(errno);
    QString reason;
    const QByteArray block(64 * 1024, '\0');
    for (qint64 left = bytes; left > 0 && reason.isEmpty();) {
        const ssize_t done = ::write(file, block.constData(),
                                     static_cast<size_t>(std::min<qint64>(left, block.size())));
        if (done < 0 && errno != EINTR)
            reason = SystemReason(errno);
        else if (done > 0)
            left -= done;
    }
    if (reason.isEmpty() && ::fsync(file) != 0)
        reason = SystemReason(errno);
    ::close(file);
    ::unlink(name.constData());
    return reason;
#endif
}

bool ReplaceFile(const QString& replacement, const QString& path, QString* error) {
#ifdef Q_OS_WIN
    const std::filesystem::path from(replacement.toStdWString()), to(path.toStdWString());
#else
    const std::filesystem::path from(QFile::encodeName(replacement).toStdString()),
        to(QFile::encodeName(path).toStdString());
#endif
    std::error_code failure;
    std::filesystem::rename(from, to, failure); // replaces `to` (MoveFileEx on Windows)
    if (!failure)
        return true;
    SetError(error, QString::fromLocal8Bit(failure.message()));
    return false;
}

} // namespace skelvane
