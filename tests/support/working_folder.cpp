#include "support/working_folder.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kalven::testing {

WorkingFolder::WorkingFolder(Config config) : previous_(QDir::currentPath())
{
    if (config == Config::Delivered)
        QFile::copy(QStringLiteral(KALVEN_SHARE_DIR "/kalven1.cfg"), dir_.filePath(QStringLiteral("kalven1.cfg")));
    QDir::setCurrent(dir_.path());
}

WorkingFolder::~WorkingFolder()
{
    QDir::setCurrent(previous_);
}

void WorkingFolder::write(const QString& name, const std::string& bytes) const
{
    QFile out(file(name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string WorkingFolder::read(const QString& name) const
{
    QFile in(file(name));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = in.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace kalven::testing
