// The main window: start-up, the wiring of its menu, tools and mouse to the commands, the Idle
// guard, the questions of End and close, and the Compute command.

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "core/config_file.h"
#include "support/command_session.h"

namespace kalven {
namespace {

using testing::CommandSession;
using testing::FakeUserDialogs;
using testing::StartedWindow;
using testing::WorkingFolder;

TEST(MainWindowStartUp, SizesWindowAndImageFromTheWorkAreaAndReadsTheConfiguration)
{
    StartedWindow s;
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(s.window.size(), work.size());
    EXPECT_EQ(s.window.Image1_vstupy->size(), work.size() - QSize(96, 72));
    EXPECT_EQ(s.window.Image1_vstupy->image().size(), s.window.Image1_vstupy->size());
    EXPECT_EQ(s.window.data().MaxAreaLength, work.width() - 96 - 20);
    EXPECT_EQ(s.window.data().StartDir, s.folder.path().toStdString());
    EXPECT_EQ(s.window.dialogDirectory(), QStringLiteral("examples"));
    EXPECT_EQ(s.window.data().ColorSettings, DefaultColors());
    EXPECT_TRUE(s.dialogs.calls().empty());
}

TEST(MainWindowStartUp, AnUnreadableConfigurationEndsTheProgramAfterItsMessages)
{
    const QString error = QStringLiteral("Error in initial file !!!");
    const QString notRegular = QStringLiteral("The file kalven1.cfg is not a regular file: nothing was read.");
    const struct {
        QString file;  // empty: none
        std::vector<QString> messages;
    } cases[] = {
        {{}, {QStringLiteral("Non initial file  -kalven1.cfg-  !!!"), error}},
        {"examples\r\n-2147483643\r\ngrey\r\n", {error}},
        {"/proc/self/mem", {error}},  // opens, then fails to read
        {"/dev/zero", {notRegular, error}},
        {"fifo", {notRegular, error}},
        {std::string(kConfigFileLimit + 1, 'x').c_str(),
         {"The file kalven1.cfg is larger than 65536 bytes: nothing was read.", error}},
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
    ASSERT_TRUE(QFile::copy(QStringLiteral(KALVEN_SHARE_DIR "/") + QLatin1String(kTheoryHelpFile),
                            QLatin1String(kTheoryHelpFile)));
    QFile delivered(QStringLiteral(KALVEN_SHARE_DIR "/kalven1.cfg"));
    ASSERT_TRUE(delivered.open(QIODevice::ReadOnly));
    const QByteArray colours = delivered.readAll().mid(QByteArrayLiteral("examples").size());
    base.write(name + QStringLiteral("/kalven1.cfg"), (here.toUtf8() + colours).toStdString());

    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    EXPECT_EQ(window.data().StartDir, here.toStdString());
    EXPECT_EQ(window.dialogDirectory(), here);
    dialogs.answerModal([](QDialog& d) {
        EXPECT_TRUE(dynamic_cast<Tunit15_help&>(d).RichEdit1->toPlainText().startsWith("KALVEN - the theory"));
        return false;
    });
    window.Theory1Click();

    const QString other = here + QString::fromUtf8("/Zeď ř");
    testing::AnswerDialog<Tmirt_dir>(dialogs, [&](Tmirt_dir& d) {
        EXPECT_EQ(d.Edit1->text(), here);
        d.Edit1->setText(other);
        d.Button1->click();
    });
    window.Directory1Click();
    QFile cfg(QStringLiteral("kalven1.cfg"));
    EXPECT_TRUE(cfg.open(QIODevice::ReadOnly) && cfg.readLine() == other.toUtf8() + "\r\n");

    const QString project = here + QString::fromUtf8("/opěrná zeď.klv");
    dialogs.answerFile(project);
    window.Save1Click();
    dialogs.answerNo();
    dialogs.answerFile(project);
    window.Open1Click();
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" KALVEN  V 1.0      ") + project);
    EXPECT_EQ(dialogs.calls().back().options.directory, other);
    EXPECT_TRUE(dialogs.allAnswered() && dialogs.messages().empty());
}

// The menu, the tool buttons, the mouse and the close request reach their commands, and the window
// does what they ask.
TEST(MainWindowWiring, MenuToolsMouseAndCloseReachTheCommands)
{
    StartedWindow s;
    Tvstupy& w = s.window;
    w.show();
    const auto move = [](QWidget* over, QPointF at) {
        QMouseEvent event(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(over, &event);
    };
    w.SpinEdit_kavern->setValue(3);
    QTest::mouseClick(w.SpBu_Kavern, Qt::LeftButton);
    EXPECT_EQ(w.panelText(1), QStringLiteral(" Loaded area - input data"));
    // Under a fractional screen scale the mouse reports positions such as 100.9: its pixel counts.
    move(w.Image1_vstupy, {100, 300});
    const QString whole = w.panelText(0);
    move(w.Image1_vstupy, {100.9, 300.6});
    EXPECT_EQ(w.panelText(0), whole);
    for (const auto& [button, at] : {std::pair{Qt::LeftButton, QPoint(100, 300)},
                                     {Qt::LeftButton, QPoint(200, 300)},
                                     {Qt::MiddleButton, QPoint(250, 250)},
                                     {Qt::RightButton, QPoint(150, 200)}}) {
        move(w.Image1_vstupy, at);
        QTest::mouseClick(w.Image1_vstupy, button, Qt::NoModifier, at);
    }
    EXPECT_TRUE(w.data().Idle && w.data().VertexCount[3] == 3 && w.SpBu_Kavern->isChecked());
    move(w.centralWidget(), {40, 200});
    EXPECT_FALSE(w.SpBu_Kavern->isChecked());
    QTest::mouseClick(w.SpBu_Kavern_no, Qt::LeftButton);
    EXPECT_FALSE(w.data().AreaUsed[3] || w.SpBu_Kavern_no->isChecked());

    testing::SetTwoAreaExample(w.data());
    w.Button1->click();
    EXPECT_TRUE(w.data().Computed);
    // Each editing dialog is the real one, shown through the dialogs of the window.
    s.dialogs.clearCalls();
    s.dialogs.answerFile(std::nullopt);
    w.Save1->trigger();
    w.SpinEdit_kavern->setValue(1);
    w.Correctionterrain1->trigger();
    EXPECT_FALSE(w.data().Computed);
    w.Length1->trigger();
    w.Text1->trigger();
    QTest::mouseClick(w.SpBu_Kavern_abc, Qt::LeftButton);
    w.Directory1->trigger();
    s.dialogs.answerNo();
    w.New1->trigger();
    s.dialogs.answerFile(std::nullopt);
    w.DxfIn1->trigger();
    s.dialogs.answerNo();
    s.dialogs.answerFile(std::nullopt);
    w.Open1->trigger();
    std::vector<QString> shown;
    for (const auto& call : s.dialogs.calls())
        shown.push_back(call.text + call.options.directory);
    EXPECT_EQ(shown,
              (std::vector<QString>{"Save Fileexamples", " Correction of coordinate of load areas", "Length", " Title",
                                    " Load area - input data", " Initial directory - input", "Save current file ?",
                                    "Dxf Inexamples", "Save current file ?", "Open Fileexamples"}));
    // The printouts and colours keep the Idle guard of the commands.
    w.data().Idle = false;
    for (QAction* action : {w.Printgraphic1, w.Printtext1, w.SetColor1})
        action->trigger();
    EXPECT_EQ(s.dialogs.calls().size(), shown.size());
    w.data().Idle = true;

    // The close request asks through the commands; End closes the window without asking again.
    s.dialogs.answerNo();
    w.close();
    s.dialogs.answerNo();
    w.End1->trigger();
    EXPECT_TRUE(w.isVisible() && !w.ended());
    s.dialogs.answerYes();
    s.dialogs.answerNo();
    w.End1->trigger();
    EXPECT_TRUE(w.ended() && !w.isVisible() && s.dialogs.allAnswered());
}

TEST(IdleGuard, EveryCommandDoesNothingWhileAPolygonIsEntered)
{
    int n = 0;
    for (auto command :
         {&ProjectCommands::newProject, &ProjectCommands::open, &ProjectCommands::save, &ProjectCommands::dxfIn,
          &ProjectCommands::end, &ProjectCommands::length, &ProjectCommands::title, &ProjectCommands::correction,
          &ProjectCommands::directory, &ProjectCommands::compute, &ProjectCommands::deleteArea,
          &ProjectCommands::areaData, &ProjectCommands::armArea}) {
        SCOPED_TRACE(++n);
        CommandSession s;
        testing::SetOutline(s.data, 1, {{2, 0}});  // a used area chosen, so the correction would act
        s.data.Computed = true;
        s.data.Idle = false;
        s.data.InputMode = kInputModeLoadArea;
        const ProjectData before = s.data;
        EXPECT_FALSE(s.draws(command));
        EXPECT_TRUE(SameProjectContent(before, s.data) && s.data.Computed && !s.data.Idle);
        EXPECT_TRUE(s.quiet() && s.window.caption.isEmpty() && !s.window.ended);
    }
}

TEST(ComputeCommand, ComputesValidAreasOnlyKeepsTheEarlierResultsThroughAFaultyRunAndWarnsAfterDrawing)
{
    CommandSession s;
    s.data.ResultantForce = 7;
    EXPECT_FALSE(s.draws(&ProjectCommands::compute));
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral(" Non-existent area load !")});
    EXPECT_TRUE(s.dialogs.calls()[0].kind == MessageKind::Warning && !s.data.Computed && s.data.ResultantForce == 7);

    s.dialogs.clearCalls();
    testing::SetTwoAreaExample(s.data);
    s.data.ValidationMessage = "from before";
    EXPECT_TRUE(s.draws(&ProjectCommands::compute));
    EXPECT_TRUE(s.dialogs.calls().empty() && s.data.Computed && s.data.ValidationMessage.empty());
    EXPECT_EQ(s.data.ResultCount, 2);

    // An open area, and far-out vertices that pass the checks but overflow the sums, are refused.
    const ProjectData computed = s.data;
    s.data.VertexX[5][2] = 4.01;
    EXPECT_FALSE(s.draws(&ProjectCommands::compute));
    s.data.VertexX[5][2] = 4;
    for (int v = 1; v <= 5; ++v) {
        s.data.VertexX[v][2] *= -1e154;
        s.data.VertexY[v][2] *= -1e154;
    }
    EXPECT_FALSE(s.draws(&ProjectCommands::compute));
    EXPECT_EQ(s.dialogs.messages(),
              (std::vector<QString>{" Non closed loading area No  2 !",
                                    " Result is not finite - check the coordinates and loads !"}));
    EXPECT_TRUE(s.data.Computed && s.data.ResultList == computed.ResultList);

    // A resultant off the area is warned of over the drawn and shown results.
    s.data = computed;
    s.dialogs.clearCalls();
    testing::SetLoad(s.data, 2, 10, 90);
    EXPECT_TRUE(s.draws(&ProjectCommands::compute));
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral(" Resultant is outside the desktop !")});
    EXPECT_TRUE(s.dialogs.calls()[0].kind == MessageKind::Warning && s.data.Computed);
    EXPECT_EQ(s.window.shownAfter, std::vector<std::size_t>{0});
}

}  // namespace
}  // namespace kalven
