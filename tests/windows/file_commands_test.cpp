// Save and Open, and the save question of New, Open, End and the close request.
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "core/project_file.h"
#include "support/command_session.h"
#include "support/load_area_fixture.h"

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
    testing::SetTwoAreaExample(s.data);
    s.data.Title = "Quay wall";
    s.data.LoadAreaData[2].Text = "gravel 30\xB0";
    const ProjectData saved = s.data;
    const QString path = s.folder.file(QStringLiteral("quay.klv"));
    s.dialogs.answerFile(path);
    s.commands.save();
    const FileDialogOptions& save = s.dialogs.calls().at(0).options;
    EXPECT_EQ(save.title + save.defaultSuffix + save.directory + save.filterPattern, "Save Fileklvexamples*.klv");
    EXPECT_EQ(testing::ShownFileType(save), QStringLiteral("Kalven File *.klv"));
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_EQ(s.window.caption, path);
    EXPECT_EQ(s.folder.read(QStringLiteral("quay.klv")), FormatProjectFile(saved));

    ProjectReset(s.data);
    s.data.Rounding = 0;
    s.data.Computed = true;
    s.window.caption.clear();
    s.dialogs.clearCalls();
    s.dialogs.answerNo();
    s.dialogs.answerFile(path);
    EXPECT_TRUE(s.draws(&ProjectCommands::open));
    const FileDialogOptions& open = s.dialogs.calls().at(1).options;
    EXPECT_EQ(open.title + open.defaultSuffix + open.directory + open.filterPattern, "Open Fileklvexamples*.klv");
    EXPECT_EQ(testing::ShownFileType(open), QStringLiteral("Kalven file (*.klv)"));
    EXPECT_FALSE(open.confirmOverwrite);
    EXPECT_TRUE(SameProjectContent(s.data, saved));
    EXPECT_TRUE(s.data.Rounding == 1 && !s.data.Computed);
    EXPECT_EQ(s.window.caption, path);
    EXPECT_TRUE(s.dialogs.messages().empty() && s.window.shownAfter.empty());
}

// A damaged, missing or odd file leaves project, caption and drawing as they were; a file cut off
// early loads with its missing values as 0 and says so over the drawn project.
TEST(ProjectFileCommands, OpenRefusesWhatIsNoWholeProject)
{
    CommandSession s;
    const QString fifo = s.folder.file(QStringLiteral("fifo.klv"));
    const QString zeros = s.folder.file(QStringLiteral("zeros.klv"));
    const QString padded = s.folder.file(QStringLiteral("padded.klv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // read to its end, it would hang
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeros));
    s.folder.write(QStringLiteral("padded.klv"), FormatProjectFile(s.data) + std::string(kProjectFileLimit, '\n'));
    const QString data = QStringLiteral(KALVEN_TEST_DATA "/");
    const QString notRegular = QStringLiteral(" is not a regular file: nothing was read.");
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
        {fifo, "The file " + fifo + notRegular, MessageKind::Error},
        {zeros, "The file " + zeros + notRegular, MessageKind::Error},
        {padded, "The file " + padded + " is larger than 1048576 bytes: nothing was read.", MessageKind::Error},
        {data + "file_ending_early.klv", kMsgFileEndsEarly, MessageKind::Warning},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        CommandSession s;
        testing::SetTwoAreaExample(s.data);
        s.data.Computed = true;
        const ProjectData before = s.data;
        s.dialogs.answerNo();
        s.dialogs.answerFile(c.file);
        const bool loads = c.kind == MessageKind::Warning;
        EXPECT_EQ(s.draws(&ProjectCommands::open), loads);
        EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{c.message});
        EXPECT_EQ(s.dialogs.calls().back().kind, c.kind);
        EXPECT_EQ(SameProjectContent(s.data, before) && s.data.Computed, !loads);
        EXPECT_EQ(s.window.caption, loads ? c.file : QString());
        EXPECT_EQ(s.window.shownAfter, loads ? std::vector<std::size_t>{2} : std::vector<std::size_t>{});
    }
}

TEST(ProjectFileCommands, FailedSaveKeepsTheEarlierFileAndTheCaption)
{
    CommandSession s;
    s.folder.write(QStringLiteral("wall.klv"), "earlier project\r\n");
    const std::string nodes = s.folder.file(QStringLiteral("nodes")).toStdString();
    ASSERT_EQ(mkdir(nodes.c_str(), 0777), 0);
    ASSERT_EQ(mkfifo((nodes + "/pipe.klv").c_str(), 0666), 0);
    ASSERT_EQ(symlink("pipe.klv", (nodes + "/to_pipe.klv").c_str()), 0);
    if (geteuid() == 0) {  // a copy of /dev/full
        ASSERT_EQ(mknod((nodes + "/full.klv").c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
        ASSERT_EQ(symlink("full.klv", (nodes + "/to_full.klv").c_str()), 0);
    }
    // Only regular files are replaced: not a folder, a pipe, a device, nor what a link points at.
    std::vector<QString> refused = {s.folder.file(QStringLiteral("gone/wall.klv")), s.folder.path()};
    struct stat node {};
    for (const char* name : {"pipe.klv", "to_pipe.klv", "full.klv", "to_full.klv"})
        if (lstat((nodes + "/" + name).c_str(), &node) == 0)
            refused.push_back(QString::fromStdString(nodes + "/" + name));
    for (const QString& path : refused) {
        SCOPED_TRACE(path.toStdString());
        struct stat before {
        }, after{};
        lstat(QFile::encodeName(path).constData(), &before);
        s.dialogs.clearCalls();
        s.dialogs.answerFile(path);
        s.commands.save();
        EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral("File output error !!!")});
        EXPECT_EQ(s.dialogs.calls().back().kind, MessageKind::Plain);
        lstat(QFile::encodeName(path).constData(), &after);
        EXPECT_TRUE(before.st_mode == after.st_mode && before.st_ino == after.st_ino);
    }
    // A write that fails half-way, also under the save question of New, which then stops.
    s.dialogs.clearCalls();
    s.data.Title = "Unsaved";
    s.dialogs.answerFile(s.folder.file(QStringLiteral("wall.klv")));
    s.dialogs.answerYes();
    s.dialogs.answerFile(s.folder.file(QStringLiteral("wall.klv")));
    {
        FileSizeLimit full(256);
        s.commands.save();
        s.commands.newProject();
    }
    EXPECT_EQ(s.data.Title, "Unsaved");
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>(2, QString::fromLatin1(kMsgFileWriteFailed)));
    EXPECT_EQ(s.dialogs.calls().back().kind, MessageKind::Error);
    EXPECT_EQ(s.folder.read(QStringLiteral("wall.klv")), "earlier project\r\n");
    EXPECT_EQ(QDir(s.folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("kalven1.cfg"), QStringLiteral("wall.klv")}));  // nothing half-written
    EXPECT_TRUE(s.window.caption.isEmpty());
}

// New, Open, End and the close request ask "Save current file ?" (End and close after "End. Are you
// sure ?"). No or a cancelled save dialog goes on; a save that fails stops the command, so the
// project is not thrown away unsaved. Closing while a polygon is entered used to throw the project
// away without a word: it asks the same, and a Yes saves the project as it stands.
TEST(SaveQuestion, EveryCommandThatThrowsTheProjectAwayAsksAndAFailedSaveStopsIt)
{
    enum class Answer { No, Cancelled, Saved, Failed };
    const struct {
        const char* how;
        void (ProjectCommands::*command)();  // nothing: the close request
        bool idle;
    } commands[] = {{"New", &ProjectCommands::newProject, true},
                    {"Open", &ProjectCommands::open, true},
                    {"End", &ProjectCommands::end, true},
                    {"close", nullptr, true},
                    {"close during polygon input", nullptr, false}};
    for (const auto& c : commands) {
        for (Answer answer : {Answer::No, Answer::Cancelled, Answer::Saved, Answer::Failed}) {
            SCOPED_TRACE(std::string(c.how) + " answer " + std::to_string(static_cast<int>(answer)));
            CommandSession s;
            testing::SetTwoAreaExample(s.data);
            s.data.Title = "Wall";
            s.data.Idle = c.idle;
            const ProjectData before = s.data;
            const bool ending = c.command != &ProjectCommands::newProject && c.command != &ProjectCommands::open;
            if (ending)
                s.dialogs.answerYes();
            if (answer == Answer::No) {
                s.dialogs.answerNo();
            } else {
                s.dialogs.answerYes();
                s.dialogs.answerFile(answer == Answer::Cancelled ? std::nullopt
                                     : answer == Answer::Saved
                                         ? std::optional(s.folder.file(QStringLiteral("w.klv")))
                                         : std::optional(s.folder.file(QStringLiteral("gone/w.klv"))));
            }
            if (c.command == &ProjectCommands::open && answer != Answer::Failed)
                s.dialogs.answerFile(std::nullopt);
            const bool closes = c.command ? (s.commands.*c.command)(), s.window.ended : s.commands.mayClose();
            const bool goesOn = answer != Answer::Failed;
            const auto& calls = s.dialogs.calls();
            ASSERT_GE(calls.size(), ending ? 2u : 1u);
            EXPECT_TRUE(!ending ||
                        (calls[0].text == "End. Are you sure ?" && calls[0].kind == MessageKind::Confirmation));
            EXPECT_TRUE(calls[ending].text == "Save current file ?" && calls[ending].kind == MessageKind::Warning);
            EXPECT_EQ(closes, ending && goesOn);
            EXPECT_EQ(s.dialogs.messages().size(), goesOn ? 0u : 1u);
            EXPECT_TRUE(s.dialogs.allAnswered());  // Open's file dialog only after a save that went well
            EXPECT_EQ(s.data.Title == "Wall", !(c.command == &ProjectCommands::newProject && goesOn));
            EXPECT_EQ(s.canvas.calls().empty(), s.data.Title == "Wall");  // New draws the empty raster
            EXPECT_EQ(s.window.caption.isEmpty(), answer != Answer::Saved);
            EXPECT_EQ(s.folder.read(QStringLiteral("w.klv")), answer == Answer::Saved ? FormatProjectFile(before) : "");
        }
    }
}

}  // namespace
}  // namespace kalven
