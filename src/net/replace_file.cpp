#include "net/replace_file.h"

#include <QFile>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace skelvane {

namespace {

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::generic_category().message(error));
}

// Writes every byte to `fd` and closes it; returns 0 or the errno of the first failure.
int WriteAllAndClose(int fd, QByteArrayView bytes) {
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    int error = 0;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            break;
        }
        data += written;
        left -= written;
    }
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

int WriteDirectly(const QByteArray& target, QByteArrayView bytes) {
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno;
    return WriteAllAndClose(fd, bytes);
}

} // namespace

QString ReplaceFileContent(const QString& path, QByteArrayView bytes) {
    QByteArray target = QFile::encodeName(path);
    if (target.isEmpty())
        return SystemText(ENOENT);
    struct stat status {};
    const bool exists = ::stat(target.constData(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode))
        return SystemText(EISDIR);
    if (exists && !S_ISREG(status.st_mode)) {
        const int error = WriteDirectly(target, bytes);
        return error ? SystemText(error) : QString();
    }
    if (exists) {
        // Replace the file a link names, not the link.
        const std::unique_ptr<char, decltype(&std::free)> real(
            ::realpath(target.constData(), nullptr), &std::free);
        if (real)
            target = QByteArray(real.get());
    }

    static std::atomic<unsigned> counter{0};
    const QByteArray temporary = target + ".part-" + QByteArray::number(::getpid()) + '-' +
                                 QByteArray::number(counter.fetch_add(1));
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int error = errno;
        // A writable file in a folder that takes no new files is still written, in place.
        if (exists && ::access(target.constData(), W_OK) == 0) {
            const int direct = WriteDirectly(target, bytes);
            return direct ? SystemText(direct) : QString();
        }
        return SystemText(error);
    }
    if (exists)
        (void)::fchmod(fd, status.st_mode & 07777); // best effort: the content matters more
    int error = WriteAllAndClose(fd, bytes);
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return SystemText(error);
    }
    return QString();
}

} // namespace skelvane
