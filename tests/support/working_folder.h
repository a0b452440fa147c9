#pragma once
// Runs a test in a fresh temporary current directory, as the program runs in its working folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace kalven::testing {

class WorkingFolder {
public:
    enum class Config { Delivered, None };
    explicit WorkingFolder(Config config = Config::Delivered)
    {
        if (config == Config::Delivered)
            QFile::copy(QStringLiteral(KALVEN_SHARE_DIR "/kalven1.cfg"), file(QStringLiteral("kalven1.cfg")));
        QDir::setCurrent(dir_.path());
    }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const std::string& bytes) const
    {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // Empty when the file cannot be read.
    std::string read(const QString& name) const
    {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string();
    }

private:
    QTemporaryDir dir_;
    QString previous_ = QDir::currentPath();
};

}  // namespace kalven::testing
