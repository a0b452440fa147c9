#pragma once
// File and folder names are kept as the file system's own bytes (std::string), as the kernel
// hands them over, whatever their encoding; they become Qt strings only here, for widgets,
// captions and Qt's file dialogs. Texts inside project files go through win1252.h instead.

#include <QString>
#include <string>

namespace kalven {

// Qt's own conversion of the platform (UTF-8 on Linux). A name that is not valid UTF-8 shows
// with replacement characters and does not come back unchanged, so names that must reach the
// file system intact stay bytes and are opened as bytes.
QString FileNameText(const std::string& name);
std::string FileNameBytes(const QString& name);

// The process's current directory, byte for byte.
std::string CurrentFolder();

// `name` inside `folder`, joined by one separator.
std::string FileInFolder(const std::string& folder, const std::string& name);

}  // namespace kalven
