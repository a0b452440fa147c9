#pragma once
// Whole-file reading and writing for the program's text files. Every function takes the file's
// name either as a QString or as the file system's own bytes.

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kalven {

// Why a file was not read.
enum class ReadFailure {
    None,
    NotOpened,       // missing, no permission, ...
    NotRegularFile,  // a folder, a FIFO, a device such as /dev/zero
    TooLarge,        // more bytes than the caller's limit
    ReadFailed,      // an input error while reading
};

struct FileRead {
    std::optional<std::string> bytes;  // set only when all of the file was read
    ReadFailure failure = ReadFailure::None;
    int error = 0;  // errno of NotOpened and ReadFailed
};

// Reads a regular file of at most `limit` bytes. Outside bytes are never trusted: a FIFO is not
// waited for, a device is not read, and no more than limit + 1 bytes are ever read, so a refusal
// comes at once whatever the name names.
FileRead ReadBoundedFile(const std::string& fileName, std::size_t limit);
FileRead ReadBoundedFile(const QString& path, std::size_t limit);

// The message of a refusal (NotRegularFile, TooLarge), naming the file and the reason.
std::string ReadRefusalText(const std::string& fileName, ReadFailure failure, std::size_t limit);
QString ReadRefusalText(const QString& path, ReadFailure failure, std::size_t limit);

// Writes the bytes to a new file beside the old one and puts it in the old one's place only when
// every byte has been written and reached the disk, so a failure never leaves a truncated file
// behind and an earlier file stays byte for byte. A name that stands for a device, a FIFO or a
// folder is not creatable: a file would take its place. `why`, when given, gets the reason of a
// failure.
enum class WriteResult { Written, NotCreatable, WriteFailed };
WriteResult WriteWholeFile(const std::string& fileName, std::string_view bytes, std::string* why = nullptr);
WriteResult WriteTextFile(const QString& path, const std::string& bytes, QString* why = nullptr);

}  // namespace kalven
