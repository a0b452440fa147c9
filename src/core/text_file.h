#pragma once
// Whole-file reading and writing for the program's text files.

#include <QString>
#include <optional>
#include <string>

namespace kalven {

// The file's bytes, or nothing when it cannot be opened or a read fails; `opened`, when given,
// tells the two apart.
std::optional<std::string> ReadTextFile(const QString& path, bool* opened = nullptr);
// The same for a name given as the file system's bytes, which reach the system unconverted.
std::optional<std::string> ReadTextFile(const std::string& fileName, bool* opened = nullptr);

// Writes the bytes through a temporary file and replaces the old file only when every byte
// has been written, so a failure never leaves a truncated file behind. A name that stands for
// anything but a regular file (a directory, a device, a pipe, or a link to one) is NotCreatable.
enum class WriteResult { Written, NotCreatable, WriteFailed };
WriteResult WriteTextFile(const QString& path, const std::string& bytes);

}  // namespace kalven
