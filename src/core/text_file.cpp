#include "core/text_file.h"

#include <QFile>
#include <QSaveFile>

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

WriteResult WriteTextFile(const QString& path, const std::string& bytes)
{
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
