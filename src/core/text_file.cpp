#include "core/text_file.h"

#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace kalven {

std::optional<std::string> ReadTextFile(const QString& path, bool* opened)
{
    QFile file(path);
    const bool open = file.open(QIODevice::ReadOnly);
    if (opened)
        *opened = open;
    if (!open)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::optional<std::string> ReadTextFile(const std::string& fileName, bool* opened)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (opened)
        *opened = file != nullptr;
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get()))
        return std::nullopt;
    return bytes;
}

WriteResult WriteTextFile(const QString& path, const std::string& bytes)
{
    // QSaveFile would rename its temporary file over a device, a pipe or the node a link points
    // at, and report success: only regular files are replaced. stat follows links, so a link is
    // judged by its target.
    struct stat target {};
    if (::stat(QFile::encodeName(path).constData(), &target) == 0 && !S_ISREG(target.st_mode))
        return WriteResult::NotCreatable;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return WriteResult::NotCreatable;
    const auto size = static_cast<qint64>(bytes.size());
    // QSaveFile::commit does not see a failure of its own final flush (a full disk takes the
    // last buffered bytes), so the flush is checked here, before the old file is replaced.
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        file.cancelWriting();
        return WriteResult::WriteFailed;
    }
    if (!file.commit())
        return WriteResult::WriteFailed;
    return WriteResult::Written;
}

}  // namespace kalven
