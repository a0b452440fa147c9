#include <gtest/gtest.h>

#include <QImage>
#include <csignal>
#include <sys/resource.h>

#include "core/config_file.h"
#include "core/project_file.h"
#include "core/windows/vstup1_wall.h"
#include "platform/drawing_image.h"
#include "support/fake_user_dialogs.h"
#include "support/load_area_fixture.h"
#include "support/working_folder.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;
using testing::WorkingFolder;

struct StartedWindow {
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window{dialogs};
    StartedWindow() { EXPECT_TRUE(window.FormCreate()); }
};

const QImage& paintMarker(Tvstupy& window)
{
    window.showDrawing();
    window.Image1_vstupy->image().fill(QColor(0x12, 0x34, 0x56));
    return window.Image1_vstupy->image();
}

bool stillMarked(Tvstupy& window)
{
    window.showDrawing();
    return window.Image1_vstupy->image().pixelColor(0, 0) == QColor(0x12, 0x34, 0x56);
}

QString fixturePath(const char* name)
{
    return QStringLiteral(KALVEN_TEST_DATA "/") + QLatin1String(name);
}

// Writes beyond `bytes` fail, as on a full disk (chmod does not stop root).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST(ProjectFileCommands, SaveThenOpenRestoresTheProjectUnderItsPath)
{
    StartedWindow s;
    ProjectData& data = s.window.data();
    testing::SetTwoAreaExample(data);
    data.Title = "Quay wall";
    data.AreaLength = 70;
    data.LoadAreaData[2].Text = "gravel 30\xB0";
    const ProjectData saved = data;
    const QString path = s.folder.file(QStringLiteral("quay.klv"));

    s.dialogs.answerFile(path);
    s.window.Save1Click();
    ASSERT_EQ(s.dialogs.calls().size(), 1u);
    const FileDialogOptions& save = s.dialogs.calls()[0].options;
    EXPECT_EQ(save.title, QStringLiteral("Save File"));
    EXPECT_EQ(save.filter, QStringLiteral("Kalven File *.klv (*.klv)"));
    EXPECT_EQ(save.defaultSuffix, QStringLiteral("klv"));
    EXPECT_EQ(save.directory, QStringLiteral("examples"));
    EXPECT_TRUE(save.confirmOverwrite);
    EXPECT_EQ(s.window.windowTitle(), QStringLiteral(" KALVEN  V 1.0      ") + path);
    EXPECT_EQ(s.folder.read(QStringLiteral("quay.klv")), FormatProjectFile(saved));

    ProjectReset(data);
    data.Rounding = 0;
    data.Computed = true;
    s.window.setProjectCaption(QStringLiteral("elsewhere.klv"));
    paintMarker(s.window);
    s.dialogs.clearCalls();
    s.dialogs.answerNo();
    s.dialogs.answerFile(path);
    s.window.Open1Click();
    ASSERT_EQ(s.dialogs.calls().size(), 2u);
    EXPECT_EQ(s.dialogs.calls()[0].text, QStringLiteral("Save current file ?"));
    EXPECT_EQ(s.dialogs.calls()[0].kind, MessageKind::Warning);
    const FileDialogOptions& open = s.dialogs.calls()[1].options;
    EXPECT_EQ(open.title, QStringLiteral("Open File"));
    EXPECT_EQ(open.filter, QStringLiteral("Kalven file (*.klv)"));
    EXPECT_EQ(open.directory, QStringLiteral("examples"));
    EXPECT_TRUE(SameProjectContent(data, saved));
    EXPECT_EQ(data.Rounding, 1);
    EXPECT_FALSE(data.Computed);
    EXPECT_EQ(s.window.windowTitle(), QStringLiteral(" KALVEN  V 1.0      ") + path);
    EXPECT_FALSE(stillMarked(s.window));
}

TEST(ProjectFileCommands, OpenOfADamagedOrMissingFileLeavesProjectCaptionAndDrawing)
{
    StartedWindow s;
    testing::SetTwoAreaExample(s.window.data());
    s.window.data().Computed = true;
    s.window.setProjectCaption(QStringLiteral("/srv/walls/good.klv"));
    const QString caption = s.window.windowTitle();
    const ProjectData before = s.window.data();
    const std::pair<const char*, MessageKind> cases[] = {
        {"malformed_number.klv", MessageKind::Error},
        {"vertex_count_257.klv", MessageKind::Error},
        {"area_length_0.klv", MessageKind::Error},
        {"no_such_file.klv", MessageKind::Plain},
    };
    const QString expected[] = {
        QStringLiteral("Invalid numeric input"),
        QStringLiteral("Invalid project file: load area  2 has 257 vertices, possible are 0 to 42"),
        QStringLiteral("Invalid project file: area length 0 m, possible are 1 to 10000 m"),
        QStringLiteral("File input error !!!"),
    };
    for (int i = 0; i < 4; ++i) {
        paintMarker(s.window);
        s.dialogs.clearCalls();
        s.dialogs.answerNo();
        s.dialogs.answerFile(fixturePath(cases[i].first));
        s.window.Open1Click();
        ASSERT_EQ(s.dialogs.messages().size(), 1u) << cases[i].first;
        EXPECT_EQ(s.dialogs.messages()[0], expected[i]);
        EXPECT_EQ(s.dialogs.calls().back().kind, cases[i].second) << cases[i].first;
        EXPECT_TRUE(SameProjectContent(s.window.data(), before)) << cases[i].first;
        EXPECT_TRUE(s.window.data().Computed) << cases[i].first;
        EXPECT_EQ(s.window.windowTitle(), caption) << cases[i].first;
        EXPECT_TRUE(stillMarked(s.window)) << cases[i].first;
    }
}

TEST(ProjectFileCommands, FailedSaveKeepsTheEarlierFileAndTheCaption)
{
    StartedWindow s;
    s.window.setProjectCaption(QStringLiteral("/srv/walls/good.klv"));
    const QString caption = s.window.windowTitle();
    s.folder.write(QStringLiteral("wall.klv"), "earlier project\r\n");

    const auto save = [&](const QString& path) {
        s.dialogs.clearCalls();
        s.dialogs.answerFile(path);
        s.window.Save1Click();
        EXPECT_EQ(s.window.windowTitle(), caption);
        EXPECT_EQ(s.folder.read(QStringLiteral("wall.klv")), "earlier project\r\n");
        return s.dialogs.calls().back();
    };
    for (const QString& uncreatable : {s.folder.file(QStringLiteral("gone/wall.klv")), s.folder.path()}) {
        const testing::DialogCall call = save(uncreatable);
        EXPECT_EQ(call.text, QStringLiteral("File output error !!!"));
        EXPECT_EQ(call.kind, MessageKind::Plain);
    }
    testing::DialogCall call;
    {
        FileSizeLimit full(256);
        call = save(s.folder.file(QStringLiteral("wall.klv")));
    }
    EXPECT_EQ(call.text, QString::fromLatin1(kMsgFileWriteFailed));
    EXPECT_EQ(call.kind, MessageKind::Error);
    EXPECT_EQ(s.folder.read(QStringLiteral("wall.klv")), "earlier project\r\n");
    EXPECT_EQ(QDir(s.folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("kalven1.cfg"), QStringLiteral("wall.klv")}));  // no half-written rest
}

TEST(ProjectFileCommands, SaveQuestionsOfNewOpenAndEndSaveForReal)
{
    StartedWindow s;
    ProjectData& data = s.window.data();
    const QString first = s.folder.file(QStringLiteral("first.klv"));
    data.Title = "Before New";
    const std::string beforeNew = FormatProjectFile(data);

    s.dialogs.answerYes();
    s.dialogs.answerFile(first);
    s.window.New1Click();
    EXPECT_EQ(s.folder.read(QStringLiteral("first.klv")), beforeNew);
    EXPECT_EQ(data.Title, "Text");

    // A cancelled save dialog saves nothing, and the command goes on.
    data.Title = "Unsaved";
    s.dialogs.answerYes();
    s.dialogs.answerFile(std::nullopt);
    s.window.New1Click();
    EXPECT_EQ(data.Title, "Text");
    s.dialogs.answerYes();
    s.dialogs.answerFile(std::nullopt);
    s.dialogs.answerFile(first);
    s.window.Open1Click();
    EXPECT_EQ(data.Title, "Before New");
    EXPECT_EQ(QDir(s.folder.path()).entryList({QStringLiteral("*.klv")}), QStringList{QStringLiteral("first.klv")});

    data.Title = "At the end";
    s.dialogs.answerYes();
    s.dialogs.answerYes();
    s.dialogs.answerFile(s.folder.file(QStringLiteral("last.klv")));
    s.window.End1Click();
    EXPECT_TRUE(s.window.ended());
    EXPECT_EQ(s.folder.read(QStringLiteral("last.klv")), FormatProjectFile(data));
    EXPECT_TRUE(s.dialogs.allAnswered());
    EXPECT_TRUE(s.dialogs.messages().empty());
}

}  // namespace
}  // namespace kalven
