// Save and Open: the file dialogs, the caption, damaged files and failed saves.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "core/project_file.h"
#include "support/load_area_fixture.h"
#include "support/command_session.h"

namespace kalven {
namespace {

using testing::CommandSession;

// Writes beyond `bytes` fail as on a full disk; root ignores chmod, not this limit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    rlimit saved_{};
    void (*handler_)(int) = nullptr;
};

TEST(ProjectFileCommands, SaveThenOpenRestoresTheProjectUnderItsPath)
{
    CommandSession s;
    ProjectData& data = s.data;
    testing::SetTwoAreaExample(data);
    data.Title = "Quay wall";
    data.AreaLength = 70;
    data.LoadAreaData[2].Text = "gravel 30\xB0";
    const ProjectData saved = data;
    const QString path = s.folder.file(QStringLiteral("quay.klv"));

    s.dialogs.answerFile(path);
    s.commands.save();
    const FileDialogOptions& save = s.dialogs.calls().at(0).options;
    EXPECT_EQ(save.title + save.defaultSuffix + save.directory, QStringLiteral("Save Fileklvexamples"));
    EXPECT_EQ(save.filterPattern, QStringLiteral("*.klv"));
    EXPECT_EQ(testing::ShownFileType(save), QStringLiteral("Kalven File *.klv"));
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_EQ(s.window.caption, path);
    EXPECT_EQ(s.folder.read(QStringLiteral("quay.klv")), FormatProjectFile(saved));

    ProjectReset(data);
    data.Rounding = 0;
    data.Computed = true;
    s.window.caption = QStringLiteral("elsewhere.klv");
    s.dialogs.clearCalls();
    s.dialogs.answerNo();
    s.dialogs.answerFile(path);
    EXPECT_TRUE(s.draws(&ProjectCommands::open));
    EXPECT_EQ(s.dialogs.calls().at(0).text, QStringLiteral("Save current file ?"));
    EXPECT_EQ(s.dialogs.calls().at(0).kind, MessageKind::Warning);
    const FileDialogOptions& open = s.dialogs.calls().at(1).options;
    EXPECT_EQ(open.title + open.filterPattern + open.directory, QStringLiteral("Open File*.klvexamples"));
    EXPECT_EQ(testing::ShownFileType(open), QStringLiteral("Kalven file (*.klv)"));
    EXPECT_TRUE(SameProjectContent(data, saved));
    EXPECT_EQ(data.Rounding, 1);
    EXPECT_FALSE(data.Computed);
    EXPECT_EQ(s.window.caption, path);
    EXPECT_TRUE(s.dialogs.messages().empty());
}

TEST(ProjectFileCommands, OpenOfADamagedOrMissingFileLeavesProjectCaptionAndDrawing)
{
    CommandSession s;
    testing::SetTwoAreaExample(s.data);
    s.data.Computed = true;
    s.window.caption = QStringLiteral("/srv/walls/good.klv");
    const ProjectData before = s.data;
    // Files that are not projects at all are refused at once, without reading them to the end.
    const QString fifo = s.folder.file(QStringLiteral("fifo.klv"));
    const QString zeros = s.folder.file(QStringLiteral("zeros.klv"));
    const QString padded = s.folder.file(QStringLiteral("padded.klv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeros));
    s.folder.write(QStringLiteral("padded.klv"), FormatProjectFile(before) + std::string(kProjectFileLimit, '\n'));
    const QString data = QStringLiteral(KALVEN_TEST_DATA "/");
    const struct {
        QString file;
        QString message;
        MessageKind kind;
    } cases[] = {
        {data + "malformed_number.klv", "Invalid numeric input in line 56: \"3O\"", MessageKind::Error},
        {data + "vertex_count_257.klv", "Invalid project file: load area  2 has 257 vertices, possible are 0 to 42",
         MessageKind::Error},
        {data + "area_length_0.klv", "Invalid project file: area length 0 m, possible are 1 to 10000 m",
         MessageKind::Error},
        {data + "no_such_file.klv", "File input error !!!", MessageKind::Plain},
        {fifo, "The file " + fifo + " is not a regular file: nothing was read.", MessageKind::Error},
        {zeros, "The file " + zeros + " is not a regular file: nothing was read.", MessageKind::Error},
        {padded, "The file " + padded + " is larger than 1048576 bytes: nothing was read.", MessageKind::Error},
    };
    for (const auto& c : cases) {
        s.dialogs.clearCalls();
        s.dialogs.answerNo();
        s.dialogs.answerFile(c.file);
        QElapsedTimer clock;
        clock.start();
        EXPECT_FALSE(s.draws(&ProjectCommands::open));
        EXPECT_LT(clock.elapsed(), 500) << c.file.toStdString();
        EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{c.message});
        EXPECT_EQ(s.dialogs.calls().back().kind, c.kind) << c.file.toStdString();
        EXPECT_TRUE(SameProjectContent(s.data, before) && s.data.Computed) << c.file.toStdString();
        EXPECT_EQ(s.window.caption, QStringLiteral("/srv/walls/good.klv"));
    }
}

TEST(ProjectFileCommands, FailedSaveKeepsTheEarlierFileAndTheCaption)
{
    CommandSession s;
    s.window.caption = QStringLiteral("/srv/walls/good.klv");
    s.folder.write(QStringLiteral("wall.klv"), "earlier project\r\n");
    const auto save = [&](const QString& path) {
        s.dialogs.clearCalls();
        s.dialogs.answerFile(path);
        s.commands.save();
        EXPECT_EQ(s.window.caption, QStringLiteral("/srv/walls/good.klv"));
        EXPECT_EQ(s.folder.read(QStringLiteral("wall.klv")), "earlier project\r\n");
        return std::pair(s.dialogs.calls().back().text, s.dialogs.calls().back().kind);
    };
    const auto notCreatable = std::pair(QStringLiteral("File output error !!!"), MessageKind::Plain);
    EXPECT_EQ(save(s.folder.file(QStringLiteral("gone/wall.klv"))), notCreatable);
    EXPECT_EQ(save(s.folder.path()), notCreatable);
    // Only regular files are replaced: not a pipe, a device, nor what a link points at.
    const std::string nodes = s.folder.file(QStringLiteral("nodes")).toStdString();
    ASSERT_EQ(mkdir(nodes.c_str(), 0777), 0);
    ASSERT_EQ(mkfifo((nodes + "/pipe.klv").c_str(), 0666), 0);
    ASSERT_EQ(symlink("pipe.klv", (nodes + "/to_pipe.klv").c_str()), 0);
    if (geteuid() == 0) {  // a copy of /dev/full
        ASSERT_EQ(mknod((nodes + "/full.klv").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
        ASSERT_EQ(symlink("full.klv", (nodes + "/to_full.klv").c_str()), 0);
    }
    for (const char* name : {"pipe.klv", "to_pipe.klv", "full.klv", "to_full.klv"}) {
        const std::string node = nodes + "/" + name;
        struct stat before {}, after {};
        if (lstat(node.c_str(), &before) != 0)
            continue;
        EXPECT_EQ(save(QString::fromStdString(node)), notCreatable) << name;
        lstat(node.c_str(), &after);
        EXPECT_TRUE(before.st_mode == after.st_mode && before.st_ino == after.st_ino) << name;
    }
    std::pair<QString, MessageKind> failed;
    {
        FileSizeLimit full(256);
        failed = save(s.folder.file(QStringLiteral("wall.klv")));
    }
    EXPECT_EQ(failed, std::pair(QString::fromLatin1(kMsgFileWriteFailed), MessageKind::Error));
    EXPECT_EQ(s.folder.read(QStringLiteral("wall.klv")), "earlier project\r\n");
    EXPECT_EQ(QDir(s.folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("kalven1.cfg"), QStringLiteral("wall.klv")}));  // nothing half-written
}

// A cut-off file loads with its missing values as 0 and empty, and then says so.
TEST(ProjectFileCommands, OpenOfAFileThatEndsEarlyLoadsItAndSaysSo)
{
    CommandSession s;
    const QString path = QStringLiteral(KALVEN_TEST_DATA "/file_ending_early.klv");
    s.dialogs.answerNo();
    s.dialogs.answerFile(path);
    EXPECT_TRUE(s.draws(&ProjectCommands::open));
    EXPECT_EQ(s.window.shownAfter, std::vector<std::size_t>{2});  // before the message
    EXPECT_EQ(s.data.AreaLength, 40);
    EXPECT_EQ(s.window.caption, path);
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QString::fromLatin1(kMsgFileEndsEarly)});
    EXPECT_EQ(s.dialogs.calls().back().kind, MessageKind::Warning);
}

// A chosen save that fails stops the command that asked for it, so the project is not lost; the
// message of the failed save is the only thing shown.
TEST(ProjectFileCommands, AFailedSaveUnderTheSaveQuestionStopsTheCommand)
{
    const struct {
        const char* how;
        void (ProjectCommands::*command)();  // nothing: the close request
        bool idle;
    } cases[] = {{"New", &ProjectCommands::newProject, true},
                 {"Open", &ProjectCommands::open, true},
                 {"End", &ProjectCommands::end, true},
                 {"close", nullptr, true},
                 {"close during polygon input", nullptr, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        CommandSession s;
        testing::SetTwoAreaExample(s.data);
        s.data.Idle = c.idle;
        const ProjectData before = s.data;
        const bool asksToEnd = c.command != &ProjectCommands::newProject && c.command != &ProjectCommands::open;
        if (asksToEnd)
            s.dialogs.answerYes();
        s.dialogs.answerYes();
        s.dialogs.answerFile(s.folder.file(QStringLiteral("gone/wall.klv")));
        const bool mayClose = c.command ? s.draws(c.command) : s.commands.mayClose();
        EXPECT_FALSE(mayClose || s.window.ended);
        EXPECT_EQ(s.dialogs.calls().back().text, QStringLiteral("File output error !!!"));
        EXPECT_EQ(s.dialogs.calls().size(), asksToEnd ? 4u : 3u);  // no open dialog after it either
        EXPECT_TRUE(SameProjectContent(s.data, before));
    }
}

// New and Open ask "Save current file ?" first.
TEST(ProjectFileCommands, SaveQuestionsOfNewAndOpenSaveForReal)
{
    CommandSession s;
    ProjectData& data = s.data;
    data.Title = "Before New";
    data.AreaUsed[2] = true;
    data.Rounding = 0;
    data.AreaLength = 70;
    const std::string beforeNew = FormatProjectFile(data);
    const QString first = s.folder.file(QStringLiteral("first.klv"));
    s.dialogs.answerYes();
    s.dialogs.answerFile(first);
    s.commands.newProject();
    EXPECT_EQ(s.dialogs.calls().at(0).text, QStringLiteral("Save current file ?"));
    EXPECT_EQ(s.dialogs.calls().at(0).kind, MessageKind::Warning);
    EXPECT_EQ(s.folder.read(QStringLiteral("first.klv")), beforeNew);
    EXPECT_TRUE(data.Title == "Text" && !data.AreaUsed[2] && data.Rounding == 1 && data.AreaLength == 70);
    EXPECT_EQ(s.window.caption, first);  // New keeps the caption

    // A cancelled save dialog saves nothing, and the command goes on.
    data.Title = "Unsaved";
    s.dialogs.answerYes();
    s.dialogs.answerFile(std::nullopt);
    s.commands.newProject();
    EXPECT_EQ(data.Title, "Text");
    s.dialogs.answerYes();
    s.dialogs.answerFile(std::nullopt);
    s.dialogs.answerFile(first);
    s.commands.open();
    EXPECT_EQ(data.Title, "Before New");
    EXPECT_EQ(QDir(s.folder.path()).entryList({QStringLiteral("*.klv")}), QStringList{QStringLiteral("first.klv")});
    EXPECT_TRUE(s.dialogs.allAnswered() && s.dialogs.messages().empty());
}

}  // namespace
}  // namespace kalven
