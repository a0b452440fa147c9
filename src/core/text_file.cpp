#include "core/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalven {

namespace {

// Closes the descriptor on every way out.
struct Descriptor {
    int fd = -1;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

FileRead Failed(ReadFailure failure, int error = 0)
{
    return {std::nullopt, failure, error};
}

}  // namespace

FileRead ReadBoundedFile(const QString& path, std::size_t limit)
{
    const QByteArray name = QFile::encodeName(path);
    // Looked at before it is opened, so not even a device is opened; the open itself never waits
    // for the writer of a FIFO, and the descriptor is checked again against a swap in between.
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return Failed(ReadFailure::NotOpened, errno);
    if (!S_ISREG(status.st_mode))
        return Failed(ReadFailure::NotRegularFile);
    Descriptor file;
    file.fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (file.fd < 0)
        return Failed(ReadFailure::NotOpened, errno);
    if (::fstat(file.fd, &status) != 0)
        return Failed(ReadFailure::ReadFailed, errno);
    if (!S_ISREG(status.st_mode))
        return Failed(ReadFailure::NotRegularFile);
    if (status.st_size < 0 || static_cast<std::uintmax_t>(status.st_size) > limit)
        return Failed(ReadFailure::TooLarge);
    // The size may still grow while it is read: one byte beyond the limit is enough to tell.
    std::string bytes(static_cast<std::size_t>(status.st_size) + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                return Failed(ReadFailure::TooLarge);
            bytes.resize(std::min(limit + 1, std::max(got * 2, got + 4096)));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Failed(ReadFailure::ReadFailed, errno);
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > limit)
        return Failed(ReadFailure::TooLarge);
    bytes.resize(got);
    return {std::move(bytes), ReadFailure::None, 0};
}

QString ReadRefusalText(const QString& path, ReadFailure failure, std::size_t limit)
{
    const QString reason = failure == ReadFailure::TooLarge
                               ? QStringLiteral("is larger than %1 bytes").arg(static_cast<qulonglong>(limit))
                               : QStringLiteral("is not a regular file");
    return QStringLiteral("The file %1 %2: nothing was read.").arg(path, reason);
}

std::optional<std::string> ReadTextFile(const QString& path, std::size_t limit)
{
    return ReadBoundedFile(path, limit).bytes;
}

WriteResult WriteTextFile(const QString& path, const std::string& bytes, QString* why)
{
    const auto fail = [why](WriteResult result, const QString& reason) {
        if (why)
            *why = reason;
        return result;
    };
    // The temporary file would be renamed over a device such as /dev/null, for root even in /dev.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode))
        return fail(WriteResult::NotCreatable, QStringLiteral("it is not a regular file"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(WriteResult::NotCreatable, file.errorString());
    const auto size = static_cast<qint64>(bytes.size());
    // QSaveFile::commit does not see a failure of its own final flush (a full disk takes the
    // last buffered bytes), so the flush is checked here, before the old file is replaced.
    errno = 0;
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        // Qt has no text of its own for a failed flush; the system's says "No space left on device".
        const QString reason = errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        file.cancelWriting();
        return fail(WriteResult::WriteFailed, reason);
    }
    if (!file.commit())
        return fail(WriteResult::WriteFailed, file.errorString());
    return WriteResult::Written;
}

}  // namespace kalven
