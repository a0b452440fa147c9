#include "core/file_names.h"

#include <QFile>
#include <filesystem>

namespace kalven {

QString FileNameText(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

std::string FileNameBytes(const QString& name)
{
    return QFile::encodeName(name).toStdString();
}

std::string CurrentFolder()
{
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string() : here.string();
}

std::string FileInFolder(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + '/' + name;
}

}  // namespace kalven
