#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include "core/file_names.h"
#include "core/text_file.h"
#include "support/working_folder.h"

namespace kalven {
namespace {

// The limit is the largest size read; a file whose size the system does not know in advance
// (/proc) is read in steps and stopped one byte past the limit.
TEST(TextFiles, ReadUpToTheLimitAndWrittenThroughALink)
{
    testing::WorkingFolder folder(testing::WorkingFolder::Config::None);
    folder.write(QStringLiteral("ten"), "0123456789");
    const QString ten = folder.file(QStringLiteral("ten"));
    EXPECT_EQ(ReadBoundedFile(ten, 10).bytes, "0123456789");
    EXPECT_EQ(ReadBoundedFile(ten, 9).failure, ReadFailure::TooLarge);
    const QString proc = QStringLiteral("/proc/self/status");
    EXPECT_EQ(ReadBoundedFile(proc, 10).failure, ReadFailure::TooLarge);
    EXPECT_TRUE(ReadBoundedFile(proc, 1 << 20).bytes.value_or("").starts_with("Name:"));
    EXPECT_EQ(ReadBoundedFile(folder.path(), 1 << 20).failure, ReadFailure::NotRegularFile);
    EXPECT_EQ(ReadBoundedFile(folder.file(QStringLiteral("none")), 1).failure, ReadFailure::NotOpened);
    EXPECT_EQ(FileInFolder("/a", "b") + FileInFolder("/a/", "b") + FileInFolder("", "b"), "/a/b/a/bb");
    // Written through a link, the linked file gets the bytes and keeps its mode; the link stays a link.
    ASSERT_EQ(::chmod(FileNameBytes(ten).c_str(), 0640), 0);
    const QString link = folder.file(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(ten, link));
    EXPECT_EQ(WriteWholeFile(FileNameBytes(link), "new"), WriteResult::Written);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadBoundedFile(ten, 10).bytes, "new");
    struct stat status {};
    EXPECT_TRUE(::stat(FileNameBytes(ten).c_str(), &status) == 0 && (status.st_mode & 07777) == 0640);
}

}  // namespace
}  // namespace kalven
