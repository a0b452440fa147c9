#include "core/text_file.h"

#include "core/file_names.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
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

FileRead ReadBoundedFile(const std::string& fileName, std::size_t limit)
{
    const char* name = fileName.c_str();
    // Looked at before it is opened, so not even a device is opened; the open itself never waits
    // for the writer of a FIFO, and the descriptor is checked again against a swap in between.
    struct stat status {};
    if (::stat(name, &status) != 0)
        return Failed(ReadFailure::NotOpened, errno);
    if (!S_ISREG(status.st_mode))
        return Failed(ReadFailure::NotRegularFile);
    Descriptor file;
    file.fd = ::open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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

FileRead ReadBoundedFile(const QString& path, std::size_t limit)
{
    return ReadBoundedFile(FileNameBytes(path), limit);
}

std::string ReadRefusalText(const std::string& fileName, ReadFailure failure, std::size_t limit)
{
    const std::string reason = failure == ReadFailure::TooLarge ? "is larger than " + std::to_string(limit) + " bytes"
                                                                : std::string("is not a regular file");
    return "The file " + fileName + " " + reason + ": nothing was read.";
}

QString ReadRefusalText(const QString& path, ReadFailure failure, std::size_t limit)
{
    return FileNameText(ReadRefusalText(FileNameBytes(path), failure, limit));
}

WriteResult WriteWholeFile(const std::string& fileName, std::string_view bytes, std::string* why)
{
    const auto fail = [why](WriteResult result, int error, const char* reason = nullptr) {
        if (why)
            *why = reason ? reason : std::strerror(error);
        return result;
    };
    // A link is followed, so the file it names gets the new bytes and the link stays a link.
    std::string target = fileName;
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && !S_ISREG(status.st_mode))
        return fail(WriteResult::NotCreatable, 0, "it is not a regular file");
    if (exists) {
        if (char* real = ::realpath(fileName.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);

    // A new name in the same folder, so the final rename replaces the file in one step; the
    // kernel applies the umask to a new file, an existing one keeps its permissions.
    static std::atomic<unsigned> serial{0};
    std::string temporary;
    Descriptor file;
    for (int attempt = 0; attempt < 100 && file.fd < 0; ++attempt) {
        temporary = folder + "." + base + "." + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".new";
        file.fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (file.fd < 0 && errno != EEXIST)
            return fail(WriteResult::NotCreatable, errno);
    }
    if (file.fd < 0)
        return fail(WriteResult::NotCreatable, EEXIST);
    const auto discard = [&](int error) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temporary.c_str());
        return fail(WriteResult::WriteFailed, error);
    };
    if (exists && ::fchmod(file.fd, status.st_mode & 07777) != 0)
        return discard(errno);
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return discard(n < 0 ? errno : EIO);
        done += static_cast<std::size_t>(n);
    }
    // A full disk or a failing device may only tell at the flush to the disk or at the close.
    if (::fsync(file.fd) != 0)
        return discard(errno);
    const int closed = ::close(file.fd);
    file.fd = -1;
    if (closed != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(WriteResult::WriteFailed, error);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return fail(WriteResult::WriteFailed, error);
    }
    return WriteResult::Written;
}

WriteResult WriteTextFile(const QString& path, const std::string& bytes, QString* why)
{
    std::string reason;
    const WriteResult result = WriteWholeFile(FileNameBytes(path), bytes, &reason);
    if (why)
        *why = QString::fromLocal8Bit(reason);
    return result;
}

}  // namespace kalven
