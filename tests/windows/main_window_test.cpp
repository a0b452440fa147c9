// The main window: start-up, its menu and tools, the Idle guard, the questions of End and close,
// and the Compute command.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <sys/stat.h>

#include "core/config_file.h"
#include "core/project_file.h"
#include "windows/Unit15_help1.h"
#include "windows/unit13_dir.h"
#include "support/load_area_fixture.h"
#include "support/started_window.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;
using testing::StartedWindow;
using testing::WorkingFolder;

TEST(MainWindowStartUp, SizesWindowAndImageFromTheWorkAreaAndReadsTheConfiguration)
{
    StartedWindow s;
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    const ProjectData& data = s.window.data();
    EXPECT_EQ(s.window.size(), screen);
    EXPECT_EQ(s.window.Image1_vstupy->image().size(), QSize(screen.width() - 96, screen.height() - 72));
    EXPECT_EQ(s.window.Image1_vstupy->size(), s.window.Image1_vstupy->image().size());
    EXPECT_EQ(data.MaxAreaLength, screen.width() - 96 - 20);
    EXPECT_EQ(data.StartDir, s.folder.path().toStdString());
    EXPECT_EQ(data.InitialDir, "examples");
    EXPECT_EQ(s.window.dialogDirectory(), QStringLiteral("examples"));
    EXPECT_EQ(data.ColorSettings, DefaultColors());
    EXPECT_EQ(data.Rounding, 1);  // the reset of the creation step
    EXPECT_TRUE(s.window.windowTitle().startsWith(QStringLiteral(" KALVEN  V 1.0  ")));
    EXPECT_TRUE(s.dialogs.calls().empty());
}

// Shown, the window with its frame fits the work area and the image follows the inside it has.
TEST(MainWindowStartUp, ShownMaximisedTheFramedWindowFitsTheWorkArea)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate(Tvstupy::Showing::Maximised));
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(work.contains(window.frameGeometry()));
    EXPECT_LT(window.height(), work.height());
    EXPECT_EQ(window.Image1_vstupy->image().size(), window.size() - QSize(96, 72));
    EXPECT_EQ(window.data().MaxAreaLength, window.width() - 96 - 20);
}

TEST(MainWindowStartUp, AnUnreadableConfigurationEndsTheProgramAfterItsMessages)
{
    const QString error = QStringLiteral("Error in initial file !!!");
    const QString oversized = std::string(kConfigFileLimit + 1, 'x').c_str();
    const struct {
        QString file;  // empty: none
        std::vector<QString> messages;
    } cases[] = {
        {{}, {QStringLiteral("Non initial file  -kalven1.cfg-  !!!"), error}},
        {"examples\r\n-2147483643\r\ngrey\r\n", {error}},
        {"/proc/self/mem", {error}},  // opens, then fails to read
        {"/dev/zero", {"The file kalven1.cfg is not a regular file: nothing was read.", error}},
        {"fifo", {"The file kalven1.cfg is not a regular file: nothing was read.", error}},
        {oversized, {"The file kalven1.cfg is larger than 65536 bytes: nothing was read.", error}},
    };
    for (const auto& c : cases) {
        WorkingFolder folder(WorkingFolder::Config::None);
        const QString config = folder.file(QStringLiteral("kalven1.cfg"));
        if (c.file.startsWith(QLatin1Char('/')))
            ASSERT_TRUE(QFile::link(c.file, config));
        else if (c.file == QLatin1String("fifo"))
            ASSERT_EQ(mkfifo(QFile::encodeName(config).constData(), 0600), 0);
        else if (!c.file.isEmpty())
            folder.write(QStringLiteral("kalven1.cfg"), c.file.toStdString());
        FakeUserDialogs dialogs;
        Tvstupy window(dialogs);
        EXPECT_FALSE(window.FormCreate());
        EXPECT_EQ(dialogs.messages(), c.messages);
        for (const auto& call : dialogs.calls())
            EXPECT_EQ(call.kind, MessageKind::Plain);
    }
}

// Folder names are the file system's bytes (UTF-8 here) from start-up to the help files, the
// directory dialog, kalven1.cfg and the file dialogs; none of them goes through Windows-1252.
TEST(MainWindowStartUp, AFolderNamedWithLettersOutsideWindows1252ServesEveryCommand)
{
    WorkingFolder base(WorkingFolder::Config::None);
    const QString name = QString::fromUtf8("Výpočty Stěna_ř");
    const QString here = base.file(name);
    ASSERT_TRUE(QDir().mkdir(here) && QDir::setCurrent(here));
    for (const char* help : {kTheoryHelpFile, kDirectoryHelpFile})
        ASSERT_TRUE(QFile::copy(QStringLiteral(KALVEN_SHARE_DIR "/") + QLatin1String(help), QLatin1String(help)));
    QFile delivered(QStringLiteral(KALVEN_SHARE_DIR "/kalven1.cfg"));
    ASSERT_TRUE(delivered.open(QIODevice::ReadOnly));
    const QByteArray colours = delivered.readAll().mid(QByteArrayLiteral("examples").size());
    base.write(name + QStringLiteral("/kalven1.cfg"), (here.toUtf8() + colours).toStdString());
    const auto line1 = [] {
        QFile cfg(QStringLiteral("kalven1.cfg"));
        return cfg.open(QIODevice::ReadOnly) ? QString::fromUtf8(cfg.readLine()).chopped(2) : QString();
    };

    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    EXPECT_EQ(window.data().StartDir, here.toStdString());
    EXPECT_EQ(window.data().InitialDir, here.toStdString());
    EXPECT_EQ(window.dialogDirectory(), here);

    QString theory, directory, picture;
    for (QString* shown : {&theory, &directory, &picture})
        dialogs.answerModal([shown](QDialog& d) {
            auto* help = dynamic_cast<Tunit15_help*>(&d);
            *shown = help ? help->RichEdit1->toPlainText() : d.windowTitle();
            return false;
        });
    window.Theory1Click();
    window.Directory_Content1Click();
    window.Caverns1Click();
    EXPECT_TRUE(theory.startsWith(QStringLiteral("KALVEN - the theory")));
    EXPECT_TRUE(directory.startsWith(QStringLiteral("KALVEN - what the program's folder holds")));
    EXPECT_EQ(picture, QStringLiteral(" Help Load area"));

    const QString other = here + QString::fromUtf8("/Zeď ř");
    testing::AnswerDialog<Tmirt_dir>(dialogs, [&](Tmirt_dir& d) {
        EXPECT_EQ(d.Edit1->text(), here);
        d.Edit1->setText(other);
        d.Button1->click();
    });
    window.Directory1Click();
    EXPECT_EQ(line1(), other);

    const QString project = here + QString::fromUtf8("/opěrná zeď.klv");
    dialogs.answerFile(project);
    window.Save1Click();
    dialogs.answerNo();
    dialogs.answerFile(project);
    window.Open1Click();
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" KALVEN  V 1.0      ") + project);
    EXPECT_EQ(dialogs.calls().back().options.directory, other);
    EXPECT_TRUE(QFile::exists(project));
    EXPECT_TRUE(dialogs.allAnswered() && dialogs.messages().empty());
}

TEST(MainWindowLayout, EveryMenuEntryAndToolHasItsCaptionAndPicture)
{
    FakeUserDialogs dialogs;
    Tvstupy w(dialogs);
    const std::pair<QAction*, const char*> entries[] = {
        {w.New1, "&New"}, {w.Open1, "&Open"}, {w.Save1, "&Save"}, {w.Printgraphic1, "&Print graphic"},
        {w.Printtext1, "Print &text"}, {w.DxfIn1, "&Dxf In"}, {w.End1, "&End"},
        {w.Length1, "&Length + Rounding"}, {w.Text1, "&Title"}, {w.Correctionterrain1, "&Correction-load area"},
        {w.SetColor1, "Set &Color"}, {w.Directory1, "Di&rectory"}, {w.Caverns1, "&Load area"},
        {w.Directory_Content1, "&Directory content"}, {w.Theory1, "&Theory"}, {w.About1, "&About"},
    };
    for (const auto& [action, caption] : entries) {
        EXPECT_EQ(action->text(), QString::fromLatin1(caption));
        EXPECT_FALSE(action->icon().isNull()) << caption;
    }
    // The load-area and directory-content entries stand in a "&Help" submenu of "&Help".
    const auto owners = w.Caverns1->associatedObjects();
    QMenu* sub = owners.isEmpty() ? nullptr : qobject_cast<QMenu*>(owners.constFirst());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->title() + w.HelpMenu->title(), QStringLiteral("&Help&Help"));
    EXPECT_FALSE(w.SpBu_Kavern->icon().isNull() || w.SpBu_Kavern_no->icon().isNull());
    EXPECT_EQ(w.SpBu_Kavern->toolTip(), QStringLiteral("Load areas"));
    EXPECT_EQ(w.Image1_vstupy->cursor().shape(), Qt::CrossCursor);
    EXPECT_TRUE(w.SpinEdit_kavern->minimum() == 1 && w.SpinEdit_kavern->maximum() == 20);
}

TEST(IdleGuard, EveryCommandButHelpAndAboutDoesNothingWhileAPolygonIsEntered)
{
    StartedWindow s;
    ProjectData& data = s.window.data();
    testing::SetOutline(data, 1, {{2, 0}});  // a used area selected, so the correction entry would act
    data.Computed = true;
    data.Idle = false;
    data.InputMode = kInputModeLoadArea;
    const auto observe = [&] {
        s.window.showDrawing();
        return std::tuple(data, s.window.windowTitle(), s.window.Image1_vstupy->image().copy());
    };
    const std::pair<void (Tvstupy::*)(), const char*> commands[] = {
        {&Tvstupy::New1Click, "New"}, {&Tvstupy::Open1Click, "Open"}, {&Tvstupy::Save1Click, "Save"},
        {&Tvstupy::Printgraphic1Click, "Print graphic"}, {&Tvstupy::Printtext1Click, "Print text"},
        {&Tvstupy::DxfIn1Click, "Dxf In"}, {&Tvstupy::End1Click, "End"}, {&Tvstupy::Length1Click, "Length"},
        {&Tvstupy::Text1Click, "Title"}, {&Tvstupy::Correctionterrain1Click, "Correction"},
        {&Tvstupy::SetColor1Click, "Set Color"}, {&Tvstupy::Directory1Click, "Directory"},
        {&Tvstupy::Button1Click, "Compute"}, {&Tvstupy::SpBu_Kavern_noClick, "delete area"},
        {&Tvstupy::SpBu_Kavern_abcClick, "data"},
    };
    for (const auto& [command, name] : commands) {
        SCOPED_TRACE(name);
        const auto [before, caption, image] = observe();
        (s.window.*command)();
        const auto [after, captionAfter, imageAfter] = observe();
        EXPECT_TRUE(SameProjectContent(before, after));
        EXPECT_TRUE(after.Computed && !after.Idle && after.Rounding == before.Rounding &&
                    after.InitialDir == before.InitialDir);
        EXPECT_EQ(captionAfter, caption);
        EXPECT_TRUE(imageAfter == image);
        EXPECT_TRUE(s.dialogs.calls().empty());
        EXPECT_FALSE(s.window.ended());
    }
}

// End and the close request ask "End. Are you sure ?" and then "Save current file ?"; End does not
// ask again when it closes the window. Closing while a polygon is entered used to throw the whole
// project away without a word: it asks the same, and a Yes saves the project as it stands.
TEST(EndAndClose, AskWhetherToEndAndToSaveAlsoWhileAPolygonIsEntered)
{
    const struct {
        const char* how;
        bool byEnd;
        bool idle;
    } cases[] = {{"End", true, true}, {"close", false, true}, {"close during polygon input", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        StartedWindow s;
        s.window.show();
        ProjectData& data = s.window.data();
        data.Title = "Wall";
        if (!c.idle) {
            data.Idle = false;
            data.InputMode = kInputModeLoadArea;
            data.PolygonStarted = true;
            testing::SetOutline(data, 4, {{1.5, 0}, {3.25, 0}});
        }
        const auto end = [&] {
            if (c.byEnd)
                s.window.End1Click();
            else
                s.window.close();
        };
        s.dialogs.answerNo();
        end();
        EXPECT_FALSE(s.window.ended());
        EXPECT_TRUE(s.window.isVisible());
        EXPECT_EQ(data.Title, "Wall");

        s.dialogs.answerYes();
        s.dialogs.answerYes();
        s.dialogs.answerFile(s.folder.file(QStringLiteral("last.klv")));
        end();
        EXPECT_TRUE(s.window.ended());
        EXPECT_FALSE(s.window.isVisible());
        const auto& calls = s.dialogs.calls();
        ASSERT_EQ(calls.size(), 4u);
        EXPECT_TRUE(calls[0].text == QStringLiteral("End. Are you sure ?") && calls[0].kind == MessageKind::Confirmation);
        EXPECT_TRUE(calls[2].text == QStringLiteral("Save current file ?") && calls[2].kind == MessageKind::Warning);
        EXPECT_EQ(s.folder.read(QStringLiteral("last.klv")), FormatProjectFile(data));
        EXPECT_EQ(data.AreaUsed[4], !c.idle);
    }
}

// The main window whose message boxes keep the picture as it stood when they opened.
struct ComputeWindow : testing::FakeUserDialogs {
    Tvstupy window{*this};
    QImage pictureAtMessage;

    void message(const QString& text, MessageKind kind) override
    {
        pictureAtMessage = picture();
        FakeUserDialogs::message(text, kind);
    }
    QImage picture() const { return window.Image1_vstupy->image().copy(); }
    ProjectData& data() { return window.data(); }
    void compute() { window.Button1->click(); }
};

// A point on the navy arrow of area 2, which starts at (120, 413).
bool ShowsNavyAt(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(0, 0, 128);
}

TEST(ComputeCommand, ComputesValidAreasOnlyKeepsTheEarlierResultsThroughAFaultyRunAndWarnsAfterDrawing)
{
    ComputeWindow w;
    w.data().ResultantForce = 7;
    const QImage blank = w.picture();
    w.compute();
    ASSERT_EQ(w.messages(), std::vector<QString>{QStringLiteral(" Non-existent area load !")});
    EXPECT_EQ(w.calls()[0].kind, MessageKind::Warning);
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().ResultantForce, 7);
    EXPECT_EQ(w.picture(), blank);

    w.clearCalls();
    testing::SetTwoAreaExample(w.data());
    w.data().ValidationMessage = "from before";
    w.compute();
    EXPECT_TRUE(w.calls().empty());
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ValidationMessage, "");
    EXPECT_EQ(w.data().ResultCount, 2);
    EXPECT_EQ(w.window.panelText(1), QStringLiteral(" "));
    const QImage picture = w.picture();
    EXPECT_TRUE(ShowsNavyAt(picture, 160, 413));

    const ProjectData computed = w.data();
    w.data().VertexX[5][2] = 4.01;  // area 2 no longer closed
    w.compute();
    EXPECT_EQ(w.messages(), std::vector<QString>{QStringLiteral(" Non closed loading area No  2 !")});
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ResultList, computed.ResultList);
    EXPECT_EQ(w.picture(), picture);

    // Far-out vertices pass the checks but overflow the sums: refused like a faulty area.
    w.clearCalls();
    w.data().VertexX[5][2] = 4;
    const ProjectData closed = w.data();
    for (int v = 1; v <= 5; ++v) {
        w.data().VertexX[v][2] *= -1e154;
        w.data().VertexY[v][2] *= -1e154;
    }
    w.compute();
    EXPECT_EQ(w.messages(), std::vector<QString>{QStringLiteral(" Result is not finite - check the coordinates and loads !")});
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ResultList, computed.ResultList);
    EXPECT_EQ(w.picture(), picture);
    w.data() = closed;

    // A resultant off the area is warned of over the drawn results.
    w.clearCalls();
    w.data().VertexX[5][2] = 4;
    testing::SetLoad(w.data(), 2, 10, 90);
    w.compute();
    ASSERT_EQ(w.messages(), std::vector<QString>{QStringLiteral(" Resultant is outside the desktop !")});
    EXPECT_EQ(w.calls()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(ShowsNavyAt(w.pictureAtMessage, 120, 400));
    EXPECT_TRUE(w.data().Computed);
}

}  // namespace
}  // namespace kalven
