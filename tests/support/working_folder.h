#pragma once
// Runs a test in a fresh temporary current directory, as the program runs in its working folder.

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace kalven::testing {

class WorkingFolder {
public:
    enum class Config { Delivered, None };
    explicit WorkingFolder(Config config = Config::Delivered);
    ~WorkingFolder();
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    void write(const QString& name, const std::string& bytes) const;
    std::string read(const QString& name) const;

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace kalven::testing
