// Undo and redo of every edit, Escape and Backspace during polygon input, and the refusals that
// status panel 3 explains.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "drawing/fixed_colors.h"
#include "drawing/view_mapping.h"
#include "support/command_session.h"
#include "support/started_window.h"

namespace kalven {
namespace {

using testing::CommandSession;

struct Session : CommandSession {
    void click(int x, int y, MouseButton button = MouseButton::Left)
    {
        commands.mouseMove(x, y);
        commands.mouseDown(button, x, y);
    }
    // Arms the area and clicks its vertices, then closes the polygon unless told not to.
    void draw(int area, std::initializer_list<std::pair<int, int>> points, bool close = true)
    {
        window.area = area;
        commands.armArea();
        for (const auto& [x, y] : points)
            click(x, y);
        if (close)
            click(0, 0, MouseButton::Right);
    }
    QString undoName() { return history.stack().undoText(); }
};

TEST(UndoRedo, EveryEditIsTakenBackAndMadeAgainExactly)
{
    Session s;
    const QString saved = s.folder.file(QStringLiteral("quay.klv"));
    const QString opened = QStringLiteral(KALVEN_TEST_DATA "/wall_and_soil_clicked.klv");
    std::vector<ProjectContent> contents{TakeContent(s.data)};
    std::vector<QString> names;
    const auto made = [&](const char* name) {
        contents.push_back(TakeContent(s.data));
        names.push_back(QString::fromLatin1(name));
        EXPECT_EQ(s.undoName(), names.back());
    };
    // A dialog's edit: what the person changes in it before OK.
    const auto edit = [&](void (ProjectCommands::*command)(), std::function<void()> change, const char* name) {
        s.editing.answer([change] {
            change();
            return true;
        });
        (s.commands.*command)();
        made(name);
    };
    s.draw(3, {{100, 300}, {200, 300}, {150, 200}});
    made("Draw area 3");
    edit(
        &ProjectCommands::areaData, [&] { s.data.LoadAreaData[3].Multiplier = 18; }, "Load area data");
    edit(
        &ProjectCommands::title, [&] { s.data.Title = "Quay"; }, "Title");
    s.window.area = 3;
    edit(
        &ProjectCommands::correction, [&] { s.data.VertexX[2][3] += 1; }, "Correction of area 3");
    s.draw(5, {{300, 100}, {400, 100}, {350, 50}});
    made("Draw area 5");
    s.commands.deleteArea();  // area 5, the number in the spin edit
    made("Delete area 5");
    s.dialogs.answerFile(QStringLiteral(KALVEN_TEST_DATA "/retaining_wall_mm_r12.dxf"));
    s.editing.answerDxf([](const DxfDrawing& drawing) { return DefaultImportOptions(drawing); });
    s.commands.dxfIn();
    made("Dxf In");
    // Save is no edit and keeps the steps.
    s.dialogs.answerFile(saved);
    s.commands.save();
    EXPECT_EQ(s.undoName(), names.back());
    s.dialogs.answerNo();
    s.commands.newProject();
    made("New");
    const auto longer = [&] {
        s.data.AreaLength = 40;
        s.data.LengthChanged = true;
    };
    edit(&ProjectCommands::length, longer, "Length + Rounding");
    s.dialogs.answerNo();
    s.dialogs.answerFile(opened);
    s.commands.open();
    made("Open wall_and_soil_clicked.klv");
    // A dialog that changes nothing makes no step.
    s.editing.answer([] { return false; });
    s.commands.areaData();
    EXPECT_EQ(s.history.stack().count(), static_cast<int>(names.size()));

    // Back to the start, each undo redrawing the project without results, then forward again.
    for (std::size_t k = names.size(); k-- > 0;) {
        s.data.Computed = true;
        ASSERT_TRUE(s.draws(&ProjectCommands::undo)) << k;
        EXPECT_TRUE(TakeContent(s.data) == contents[k] && !s.data.Computed) << k;
    }
    EXPECT_EQ(s.window.caption, saved);  // only the Open changed the file named in the caption
    EXPECT_FALSE(s.draws(&ProjectCommands::undo));
    for (std::size_t k = 1; k <= names.size(); ++k) {
        s.commands.redo();
        EXPECT_TRUE(TakeContent(s.data) == contents[k]) << k;
    }
    EXPECT_EQ(s.window.caption, opened);
    EXPECT_TRUE(s.dialogs.allAnswered() && s.editing.allAnswered());
}

TEST(UndoRedo, SequencesGuardAndDepth)
{
    Session s;
    const ProjectContent empty = TakeContent(s.data);
    s.draw(2, {{100, 300}, {200, 300}, {150, 200}});
    const ProjectContent drawn = TakeContent(s.data);
    s.window.area = 2;
    s.commands.deleteArea();
    s.commands.undo();
    EXPECT_TRUE(TakeContent(s.data) == drawn);
    s.commands.redo();
    EXPECT_TRUE(TakeContent(s.data) == empty);
    s.commands.undo();
    s.commands.undo();
    EXPECT_TRUE(TakeContent(s.data) == empty);
    // A new edit after undoing forgets what was undone.
    s.draw(4, {{100, 100}, {200, 100}, {150, 50}});
    EXPECT_FALSE(s.history.stack().canRedo());

    // While a polygon is armed or drawn, undo and redo wait.
    s.draw(6, {{300, 300}}, false);
    const ProjectData during = s.data;
    s.commands.undo();
    s.commands.redo();
    EXPECT_TRUE(SameProjectContent(s.data, during) && s.data.PolygonStarted);
    s.commands.cancelInput();

    // The oldest steps are forgotten beyond 200.
    for (int i = 1; i <= 230; ++i) {
        s.editing.answer([&, i] {
            s.data.Title = std::to_string(i).c_str();
            return true;
        });
        s.commands.title();
    }
    for (int i = 0; i < 250; ++i)
        s.commands.undo();
    EXPECT_EQ(s.data.Title, "30");
}

TEST(PolygonInputKeys, EscapeAndBackspaceAtEveryStateOfTheInput)
{
    Session s;
    // Idle: neither key does anything.
    EXPECT_FALSE(s.draws(&ProjectCommands::cancelInput));
    EXPECT_FALSE(s.draws(&ProjectCommands::removeLastVertex));

    // Armed: Backspace has nothing to take back; Escape gives the area up.
    s.data.VertexCount[3] = 45;  // a count an unused area may bring from a file is left as it was
    s.draw(3, {}, false);
    EXPECT_EQ(s.panels.texts[3], kInputHint);
    EXPECT_FALSE(s.draws(&ProjectCommands::removeLastVertex));
    ASSERT_TRUE(s.draws(&ProjectCommands::cancelInput));
    EXPECT_TRUE(s.data.Idle && !s.data.AreaUsed[3] && s.data.VertexCount[3] == 45 && s.data.InputMode == 0);
    EXPECT_FALSE(s.window.areaButtonDown);
    EXPECT_EQ(s.panels.texts, (std::array<std::string, 4>{s.panels.texts[0], " ", "  Length =  25 m", ""}));

    // Drawing: Backspace takes the vertices back one by one, then input is armed again.
    s.window.areaButtonDown = true;
    s.draw(3, {{100, 300}, {200, 300}, {150, 200}}, false);
    ASSERT_TRUE(s.draws(&ProjectCommands::removeLastVertex));
    EXPECT_EQ(s.data.VertexCount[3], 2);
    const PixelPoint second = VertexPixel(s.data.VertexX[2][3], s.data.VertexY[2][3], 601 / 25.0, 425);
    EXPECT_EQ(s.data.LastPointPx, second);
    EXPECT_EQ(s.commands.bandAnchor(), second);
    EXPECT_EQ(s.panels.texts[2], "  End right mouse button !");
    // The areas are redrawn, the polygon so far in red with the last vertex red and the others blue.
    const auto marks = s.canvas.ellipses();
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(std::tuple(marks[0].state.brushColor, marks[1].state.brushColor, marks[1].x1),
              std::tuple(kBlue, kRed, second.x - 3));
    std::vector<std::array<std::int64_t, 4>> edges;
    for (const testing::CanvasCall& line : s.canvas.lines())
        if (line.state.penColor == kRed && line.state.penWidth == 2)
            edges.push_back({line.x1, line.y1, line.x2, line.y2});
    const PixelPoint first = VertexPixel(s.data.VertexX[1][3], s.data.VertexY[1][3], 601 / 25.0, 425);
    EXPECT_EQ(edges, (std::vector<std::array<std::int64_t, 4>>{{first.x, first.y, second.x, second.y}}));
    EXPECT_EQ(s.canvas.state().penMode, PenMode::NotXor);  // the rubber band goes on
    // The next vertex continues from the new last one.
    s.click(300, 250);
    EXPECT_EQ(s.data.VertexCount[3], 3);
    s.commands.removeLastVertex();
    s.commands.removeLastVertex();
    s.commands.removeLastVertex();
    EXPECT_TRUE(!s.data.PolygonStarted && !s.data.Idle && s.data.InputMode == kInputModeLoadArea);
    EXPECT_EQ(s.panels.texts[2], "  Length =  25 m");
    EXPECT_EQ(std::tuple(s.data.VertexX[1][3], s.data.VertexY[1][3]), std::tuple(0.0, 0.0));
    // Armed again, the polygon can be drawn anew and is then one step of the history.
    s.click(100, 100);
    s.click(200, 100);
    s.click(150, 50);
    s.click(0, 0, MouseButton::Right);
    EXPECT_EQ(std::tuple(s.data.VertexCount[3], s.undoName(), s.panels.texts[3]),
              std::tuple(std::uint8_t{4}, QStringLiteral("Draw area 3"), std::string()));

    // Escape while drawing: the area is free again and nothing is left of it or in the history.
    s.draw(4, {{100, 300}, {200, 300}}, false);
    s.commands.cancelInput();
    EXPECT_TRUE(s.data.Idle && !s.data.PolygonStarted && !s.data.AreaUsed[4] && s.data.VertexCount[4] == 0 &&
                s.data.VertexX[2][4] == 0);
    EXPECT_EQ(s.history.stack().count(), 1);
}

TEST(Refusals, Panel3SaysWhyUntilTheNextAcceptedAction)
{
    Session s;
    s.window.size = {1000, 800};  // 40 pixels a metre
    s.draw(3, {{100, 300}, {200, 300}, {150, 200}});
    s.commands.armArea();
    EXPECT_EQ(s.panels.texts[3], "Area 3 is in use: delete it first");
    EXPECT_FALSE(s.window.areaButtonDown);
    s.commands.deleteArea();
    EXPECT_EQ(s.panels.texts[3], "");

    s.draw(1, {{999, 100}}, false);  // 24.975 m snaps onto the right edge
    s.commands.removeLastVertex();   // nothing to take back: not an accepted action
    EXPECT_EQ(s.panels.texts[3], "On or past the right edge: pick a point left of it");
    s.click(998, 100);
    EXPECT_EQ(s.panels.texts[3], kInputHint);
    for (int i = 2; i <= 41; ++i)
        s.click(20 * i, 100 + (i % 2) * 40);
    EXPECT_EQ(s.panels.texts[3], "40 points at most: close with the right button");
    EXPECT_EQ(s.data.VertexCount[1], 40);
    s.commands.removeLastVertex();
    EXPECT_EQ(s.panels.texts[3], kInputHint);
    s.click(0, 0, MouseButton::Right);
    EXPECT_EQ(s.panels.texts[3], "");

    // An explanation given while idle goes with the next command that runs.
    s.window.area = 1;
    s.commands.armArea();
    s.commands.compute();
    EXPECT_EQ(s.panels.texts[3], "");
}

TEST(EditMenuAndKeys, ReachTheCommandsInTheWindow)
{
    testing::StartedWindow s;
    Tvstupy& w = s.window;
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QStringList menus;
    for (const QAction* menu : w.menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus.mid(0, 3), (QStringList{"&File", "&Edit", "&Area"}));
    EXPECT_FALSE(w.Undo1->isEnabled() || w.Redo1->isEnabled());

    const auto click = [&](Qt::MouseButton button, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w.Image1_vstupy, &move);
        QTest::mouseClick(w.Image1_vstupy, button, Qt::NoModifier, at);
    };
    w.SpinEdit_kavern->setValue(3);
    w.SpinEdit_kavern->setFocus();
    QTest::mouseClick(w.SpBu_Kavern, Qt::LeftButton);
    // The whole explanation fits its panel on a screen 1024 pixels wide.
    w.resize(1024, 700);
    QCoreApplication::processEvents();
    const auto* panel3 = w.findChild<QLabel*>(QStringLiteral("StatusPanel3"));
    EXPECT_LE(panel3->fontMetrics().horizontalAdvance(panel3->text()), panel3->contentsRect().width());
    click(Qt::LeftButton, {100, 300});
    click(Qt::LeftButton, {200, 300});
    // The keys reach the input though the spin edit has the focus, and leave its number alone.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(std::tuple(w.data().VertexCount[3], w.SpinEdit_kavern->value()), std::tuple(std::uint8_t{1}, 3));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w.data().AreaUsed[3] || w.SpBu_Kavern->isChecked() || !w.data().Idle);

    QTest::mouseClick(w.SpBu_Kavern, Qt::LeftButton);
    click(Qt::LeftButton, {100, 300});
    click(Qt::LeftButton, {200, 300});
    click(Qt::RightButton, {150, 200});
    EXPECT_EQ(w.Undo1->text(), QStringLiteral("&Undo Draw area 3"));
    w.setFocus();
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(w.data().AreaUsed[3]);
    EXPECT_EQ(std::tuple(w.Undo1->isEnabled(), w.Redo1->text()),
              std::tuple(false, QStringLiteral("&Redo Draw area 3")));
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(w.data().AreaUsed[3]);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(std::tuple(w.data().AreaUsed[3], w.Redo1->isEnabled()), std::tuple(true, false));
}

}  // namespace
}  // namespace kalven
