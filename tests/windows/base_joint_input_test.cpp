// The base joint typed, removed and picked with the mouse, through the commands and the real dialog.

#include "support/command_session.h"
#include "windows/base_joint_dialog.h"

namespace kalven {
namespace {

using testing::CommandSession;

TEST(BaseJointDialog, RefusesWhatIsNoJointAndEachChangeIsOneStepThatClearsTheResults)
{
    CommandSession s(CommandSession::Editing::Real);
    const char* refused[][6] = {
        {"", "0", "4", "0", "0.5", "A x is not a number: \"\""},
        {"1", "0", "4", "0", "0,5", "mu is not a number: \"0,5\""},
        {"1", "-0.01", "4", "0", "0.5", "A y must lie within 0 to 25 m, the drawing area"},
        {"1", "0", "25.5", "0", "0.5", "B x must lie within 0 to 25 m, the drawing area"},
        {"2", "1", " 2.0 ", "1e0", "0.5", "A and B are one point: the base joint needs two"},
        {"0", "0", "4", "0", "0", "mu must be greater than 0"},
    };
    s.data.Computed = true;
    s.inDialog<Tbase_joint>([&](Tbase_joint& d) {
        EXPECT_TRUE(d.Edits[0]->text().isEmpty() && d.Edits[4]->text() == QStringLiteral("0.500") &&
                    d.Button3->isHidden());
        for (const auto& row : refused) {
            for (int f = 0; f < 5; ++f)
                d.Edits[f]->setText(QString::fromLatin1(row[f]));
            d.Button1->click();
            EXPECT_TRUE(d.isVisible()) << row[5];
        }
        d.Edits[4]->setText(QStringLiteral("0.55"));
        d.Button1->click();
    });
    EXPECT_TRUE(s.draws(&ProjectCommands::baseJoint));
    std::vector<QString> expected;
    for (const auto& row : refused)
        expected.push_back(QString::fromLatin1(row[5]));
    EXPECT_EQ(s.dialogs.messages(), expected);
    EXPECT_TRUE(s.data.Joint == (BaseJoint{true, 0, 0, 4, 0, 0.55}) && !s.data.Computed);

    // Filled from the joint, a value left as shown stays exact; Remove is offered now.
    s.data.Joint.X1 = 0.12345;
    s.inDialog<Tbase_joint>([](Tbase_joint& d) {
        EXPECT_TRUE(d.Edits[0]->text() == QStringLiteral("0.123") && !d.Button3->isHidden());
        d.Button1->click();
    });
    s.commands.baseJoint();
    s.inDialog<Tbase_joint>([](Tbase_joint& d) { d.Button3->click(); });
    s.commands.baseJoint();
    EXPECT_EQ(s.data.Joint, BaseJoint{});
    EXPECT_TRUE(s.history.stack().count() == 2 && s.history.stack().undoText() == QStringLiteral("Base joint"));
    s.commands.undo();
    EXPECT_EQ(s.data.Joint.X1, 0.12345);
    s.inDialog<Tbase_joint>([](Tbase_joint& d) { d.Button2->click(); });
    EXPECT_FALSE(s.draws(&ProjectCommands::baseJoint));
    s.data.Idle = false;
    const std::size_t calls = s.dialogs.calls().size();
    s.commands.baseJoint();
    EXPECT_EQ(s.dialogs.calls().size(), calls);
}

TEST(BaseJointPick, SnappedAThenBKeepMuEveryOtherCommandWaitsEscapeLeavesNoTrace)
{
    CommandSession s(CommandSession::Editing::Real);
    const auto click = [&](int x, int y, MouseButton button = MouseButton::Left) {
        s.commands.mouseMove(x, y);
        s.commands.mouseDown(button, x, y);
    };
    const auto pick = [&] {
        s.inDialog<Tbase_joint>([](Tbase_joint& d) {
            d.Edits[4]->setText(QStringLiteral("0.4"));
            d.Button4->click();
        });
        s.commands.baseJoint();
        EXPECT_TRUE(!s.data.Idle && s.panels.texts[3] == kJointPickHint);
    };
    pick();
    const std::size_t calls = s.dialogs.calls().size();
    s.commands.title();
    s.canvas.clear();
    click(12, 400);  // A at (0.5, 1.0) on 5 cm
    click(12, 400, MouseButton::Right);
    click(12, 400);
    EXPECT_EQ(s.panels.texts[3], "B is the point A: click B somewhere else; Esc cancels");
    s.commands.cancelInput();
    // A's mark drawn twice in not-xor: the picture is as it was.
    ASSERT_EQ(s.canvas.calls().size(), 2u);
    for (const auto& mark : s.canvas.ellipses())
        EXPECT_TRUE(mark.x1 == 9 && mark.y1 == 397 && mark.x2 == 15 && mark.y2 == 403 &&
                    mark.state.penMode == PenMode::NotXor);
    EXPECT_TRUE(s.data.Idle && s.panels.texts[3].empty() && !s.data.Joint.Set && s.history.stack().count() == 0 &&
                s.dialogs.calls().size() == calls);

    pick();
    click(96, 400);
    s.commands.removeLastVertex();  // A taken back
    click(12, 400);
    s.data.Computed = true;
    click(96, 400);
    EXPECT_EQ(s.data.Joint, (BaseJoint{true, 0.5, 1, 4, 1, 0.4}));
    EXPECT_TRUE(s.data.Idle && !s.data.Computed && s.panels.texts[3].empty() && s.history.stack().count() == 1);
}

}  // namespace
}  // namespace kalven
