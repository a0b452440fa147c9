// The main window: start-up, the wiring of its menu, tools and mouse to the commands, the Idle
// guard, the questions of End and close, and the Compute command.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
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
#include "support/command_session.h"
#include "support/load_area_fixture.h"
#include "support/started_window.h"

namespace kalven {
namespace {

using testing::CommandSession;
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

    QString theory, directory;
    for (QString* shown : {&theory, &directory})
        dialogs.answerModal([shown](QDialog& d) {
            *shown = dynamic_cast<Tunit15_help&>(d).RichEdit1->toPlainText();
            return false;
        });
    window.Theory1Click();
    window.Directory_Content1Click();
    EXPECT_TRUE(theory.startsWith(QStringLiteral("KALVEN - the theory")));
    EXPECT_TRUE(directory.startsWith(QStringLiteral("KALVEN - what the program's folder holds")));

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

// The menu, the tool buttons and the mouse reach their commands, and the window does what they ask.
TEST(MainWindowWiring, MenuToolsAndMouseReachTheCommands)
{
    StartedWindow s;
    s.window.show();
    Tvstupy& w = s.window;
    const auto move = [&](QWidget* over, QPointF at) {
        QMouseEvent event(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(over, &event);
    };
    const auto click = [&](Qt::MouseButton button, QPoint at) {
        move(w.Image1_vstupy, at);
        QTest::mouseClick(w.Image1_vstupy, button, Qt::NoModifier, at);
    };
    w.SpinEdit_kavern->setValue(3);
    QTest::mouseClick(w.SpBu_Kavern, Qt::LeftButton);
    EXPECT_FALSE(w.data().Idle);
    EXPECT_EQ(w.panelText(1), QStringLiteral(" Loaded area - input data"));
    // Under a fractional screen scale the mouse reports positions such as 100.9: its pixel counts.
    move(w.Image1_vstupy, {100, 300});
    const QString whole = w.panelText(0);
    move(w.Image1_vstupy, {100.9, 300.6});
    EXPECT_EQ(w.panelText(0), whole);
    click(Qt::LeftButton, {100, 300});
    click(Qt::LeftButton, {200, 300});
    click(Qt::MiddleButton, {250, 250});
    click(Qt::RightButton, {150, 200});
    EXPECT_TRUE(w.data().Idle);
    EXPECT_EQ(w.data().VertexCount[3], 3);
    EXPECT_TRUE(w.SpBu_Kavern->isChecked());
    move(w.centralWidget(), {40, 200});
    EXPECT_FALSE(w.SpBu_Kavern->isChecked());
    QTest::mouseClick(w.SpBu_Kavern, Qt::LeftButton);  // area 3 is in use: the button only comes up
    EXPECT_FALSE(w.SpBu_Kavern->isChecked() || !w.data().Idle);

    QTest::mouseClick(w.SpBu_Kavern_no, Qt::LeftButton);
    EXPECT_FALSE(w.data().AreaUsed[3] || w.SpBu_Kavern_no->isChecked());

    testing::SetTwoAreaExample(w.data());
    w.Button1->click();
    EXPECT_TRUE(w.data().Computed);
    w.SpinEdit_kavern->setValue(1);
    w.Correctionterrain1->trigger();  // the real coordinate dialog, cancelled
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(s.dialogs.calls().back().text, QStringLiteral(" Correction of coordinate of load areas"));

    const QString path = s.folder.file(QStringLiteral("wired.klv"));
    s.dialogs.answerFile(path);
    w.Save1->trigger();
    EXPECT_EQ(w.windowTitle(), QStringLiteral(" KALVEN  V 1.0      ") + path);
    EXPECT_EQ(s.dialogs.calls().back().options.directory, QStringLiteral("examples"));
    // Each editing dialog is the real one, shown through the dialogs of the window.
    s.dialogs.clearCalls();
    w.Length1->trigger();
    w.Text1->trigger();
    QTest::mouseClick(w.SpBu_Kavern_abc, Qt::LeftButton);
    w.Directory1->trigger();
    s.dialogs.answerNo();
    w.New1->trigger();
    EXPECT_FALSE(w.data().AreaUsed[2]);
    s.dialogs.answerFile(std::nullopt);
    w.DxfIn1->trigger();
    s.dialogs.answerNo();
    s.dialogs.answerFile(std::nullopt);
    w.Open1->trigger();
    std::vector<QString> shown;
    for (const auto& call : s.dialogs.calls())
        shown.push_back(call.text);
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("Length"), QStringLiteral(" Title"),
                                           QStringLiteral(" Load area - input data"),
                                           QStringLiteral(" Initial directory - input"),
                                           QStringLiteral("Save current file ?"), QStringLiteral("Dxf In"),
                                           QStringLiteral("Save current file ?"), QStringLiteral("Open File")}));
}

// The commands that stay in the window keep the Idle guard too; those of ProjectCommands are
// tested there.
TEST(IdleGuard, PrintAndColourCommandsDoNothingWhileAPolygonIsEntered)
{
    StartedWindow s;
    s.window.data().Idle = false;
    for (QAction* action : {s.window.Printgraphic1, s.window.Printtext1, s.window.SetColor1})
        action->trigger();
    EXPECT_TRUE(s.dialogs.calls().empty());
}

TEST(IdleGuard, EveryCommandDoesNothingWhileAPolygonIsEntered)
{
    const std::pair<void (ProjectCommands::*)(), const char*> commands[] = {
        {&ProjectCommands::newProject, "New"},
        {&ProjectCommands::open, "Open"},
        {&ProjectCommands::save, "Save"},
        {&ProjectCommands::dxfIn, "Dxf In"},
        {&ProjectCommands::end, "End"},
        {&ProjectCommands::length, "Length"},
        {&ProjectCommands::title, "Title"},
        {&ProjectCommands::correction, "Correction"},
        {&ProjectCommands::directory, "Directory"},
        {&ProjectCommands::compute, "Compute"},
        {&ProjectCommands::deleteArea, "delete area"},
        {&ProjectCommands::areaData, "data"},
        {&ProjectCommands::armArea, "arm"},
    };
    for (const auto& [command, name] : commands) {
        SCOPED_TRACE(name);
        CommandSession s;
        testing::SetOutline(s.data, 1, {{2, 0}});  // a used area chosen, so the correction would act
        s.data.Computed = true;
        s.data.Idle = false;
        s.data.InputMode = kInputModeLoadArea;
        const ProjectData before = s.data;
        EXPECT_FALSE(s.draws(command));
        EXPECT_TRUE(SameProjectContent(before, s.data));
        EXPECT_TRUE(s.data.Computed && !s.data.Idle && s.data.Rounding == before.Rounding &&
                    s.data.InitialDir == before.InitialDir);
        EXPECT_TRUE(s.quiet() && s.window.caption.isEmpty() && !s.window.ended);
        EXPECT_EQ(s.commands.dialogDirectory(), QStringLiteral("examples"));
    }
}

// The window's close request asks through the commands; End closes the window without asking again.
TEST(EndAndClose, TheWindowClosesOnlyWhenTheQuestionsAllowIt)
{
    StartedWindow s;
    s.window.show();
    s.dialogs.answerNo();
    s.window.close();
    s.dialogs.answerNo();
    s.window.End1->trigger();
    EXPECT_TRUE(s.window.isVisible() && !s.window.ended());
    s.dialogs.answerYes();
    s.dialogs.answerNo();
    s.window.End1->trigger();
    EXPECT_TRUE(s.window.ended() && !s.window.isVisible());
    EXPECT_TRUE(s.dialogs.allAnswered());
}

TEST(ComputeCommand, ComputesValidAreasOnlyKeepsTheEarlierResultsThroughAFaultyRunAndWarnsAfterDrawing)
{
    CommandSession s;
    s.data.ResultantForce = 7;
    EXPECT_FALSE(s.draws(&ProjectCommands::compute));
    ASSERT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral(" Non-existent area load !")});
    EXPECT_EQ(s.dialogs.calls()[0].kind, MessageKind::Warning);
    EXPECT_FALSE(s.data.Computed);
    EXPECT_EQ(s.data.ResultantForce, 7);

    s.dialogs.clearCalls();
    testing::SetTwoAreaExample(s.data);
    s.data.ValidationMessage = "from before";
    EXPECT_TRUE(s.draws(&ProjectCommands::compute));
    EXPECT_TRUE(s.dialogs.calls().empty());
    EXPECT_TRUE(s.data.Computed);
    EXPECT_EQ(s.data.ValidationMessage, "");
    EXPECT_EQ(s.data.ResultCount, 2);
    EXPECT_EQ(s.panels.texts[1], " ");

    const ProjectData computed = s.data;
    s.data.VertexX[5][2] = 4.01;  // area 2 no longer closed
    EXPECT_FALSE(s.draws(&ProjectCommands::compute));
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral(" Non closed loading area No  2 !")});
    EXPECT_TRUE(s.data.Computed);
    EXPECT_EQ(s.data.ResultList, computed.ResultList);

    // Far-out vertices pass the checks but overflow the sums: refused like a faulty area.
    s.dialogs.clearCalls();
    s.data.VertexX[5][2] = 4;
    const ProjectData closed = s.data;
    for (int v = 1; v <= 5; ++v) {
        s.data.VertexX[v][2] *= -1e154;
        s.data.VertexY[v][2] *= -1e154;
    }
    s.commands.compute();
    EXPECT_EQ(s.dialogs.messages(),
              std::vector<QString>{QStringLiteral(" Result is not finite - check the coordinates and loads !")});
    EXPECT_TRUE(s.data.Computed);
    EXPECT_EQ(s.data.ResultList, computed.ResultList);
    s.data = closed;

    // A resultant off the area is warned of over the drawn and shown results.
    s.dialogs.clearCalls();
    testing::SetLoad(s.data, 2, 10, 90);
    EXPECT_TRUE(s.draws(&ProjectCommands::compute));
    ASSERT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral(" Resultant is outside the desktop !")});
    EXPECT_EQ(s.dialogs.calls()[0].kind, MessageKind::Warning);
    EXPECT_EQ(s.window.shownAfter, std::vector<std::size_t>{0});
    EXPECT_TRUE(s.data.Computed);
}

}  // namespace
}  // namespace kalven
