#pragma once
// The bytes of a file exactly as stored; a file that cannot be read fails the test.

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <string>

namespace kalven::testing {

inline std::string FileBytes(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll().toStdString();
}

}  // namespace kalven::testing
