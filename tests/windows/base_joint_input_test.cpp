// The base joint typed in its dialog, removed, picked with the mouse, and opened from a file.

#include "core/project_file.h"
#include "support/command_session.h"
#include "windows/base_joint_dialog.h"

namespace kalven {
namespace {

using testing::CommandSession;
using Action = BaseJointChoice::Action;

// A move to the pixel and a click there, as the mouse gives them.
void click(CommandSession& s, int x, int y, MouseButton button = MouseButton::Left)
{
    s.commands.mouseMove(x, y);
    s.commands.mouseDown(button, x, y);
}

TEST(BaseJointCommand, EachTypedOrRemovedJointIsOneStepThatClearsTheResultsAndWaitsForIdle)
{
    CommandSession s;
    const BaseJoint joint{true, 0, 0, 4, 0, 0.4};
    s.data.Computed = true;
    s.editing.answerJoint({});  // cancelled: nothing changes
    EXPECT_FALSE(s.draws(&ProjectCommands::baseJoint));
    s.editing.answerJoint({Action::Set, joint});
    EXPECT_TRUE(s.draws(&ProjectCommands::baseJoint));
    EXPECT_TRUE(s.data.Joint == joint && !s.data.Computed);
    s.editing.answerJoint({Action::Remove, {}});
    s.commands.baseJoint();
    EXPECT_EQ(s.data.Joint, BaseJoint{});
    EXPECT_EQ(s.history.stack().count(), 2);
    EXPECT_EQ(s.history.stack().undoText(), QStringLiteral("Base joint"));
    s.commands.undo();
    EXPECT_EQ(s.data.Joint, joint);
    s.data.Idle = false;
    s.commands.baseJoint();
    EXPECT_EQ(s.editing.shown.size(), 3u);
}

TEST(BaseJointCommand, PicksSnappedAThenBKeepsMuAndGivesUpOnEscapeWithoutATrace)
{
    CommandSession s;
    const auto pick = [&] {
        s.editing.answerJoint({Action::Pick, BaseJoint{false, 0, 0, 0, 0, 0.4}});
        s.commands.baseJoint();
        EXPECT_TRUE(!s.data.Idle && s.panels.texts[3] == kJointPickHint);
    };
    pick();
    s.commands.title();  // waits: no dialog
    EXPECT_EQ(s.editing.shown.size(), 1u);
    s.canvas.clear();
    click(s, 12, 400);  // A at (0.5, 1.0) on 5 cm
    click(s, 12, 400, MouseButton::Right);
    click(s, 12, 400);  // B on A
    EXPECT_EQ(s.panels.texts[3], "B is the point A: click B somewhere else; Esc cancels");
    s.commands.cancelInput();
    // A's mark drawn twice in not-xor, so the picture is as before; the joint and history untouched.
    const std::vector<testing::CanvasCall> marks = s.canvas.ellipses();
    ASSERT_EQ(s.canvas.calls().size(), 2u);
    for (const auto& mark : marks)
        EXPECT_TRUE(mark.x1 == 9 && mark.y1 == 397 && mark.x2 == 15 && mark.y2 == 403 &&
                    mark.state.penMode == PenMode::NotXor);
    EXPECT_TRUE(s.data.Idle && s.panels.texts[3].empty() && !s.data.Joint.Set && s.history.stack().count() == 0);

    pick();
    click(s, 96, 400);
    s.commands.removeLastVertex();  // A taken back
    click(s, 12, 400);
    s.data.Computed = true;
    click(s, 96, 400);
    EXPECT_EQ(s.data.Joint, (BaseJoint{true, 0.5, 1, 4, 1, 0.4}));
    EXPECT_TRUE(s.data.Idle && !s.data.Computed && s.panels.texts[3].empty());
    EXPECT_EQ(s.history.stack().undoText(), QStringLiteral("Base joint"));
    EXPECT_EQ(s.history.stack().count(), 1);
}

TEST(BaseJointDialog, RefusesWhatIsNoJointKeepsUntouchedValuesExactAndOffersRemoveOnlyForAJoint)
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
    s.commands.baseJoint();
    std::vector<QString> expected;
    for (const auto& row : refused)
        expected.push_back(QString::fromLatin1(row[5]));
    EXPECT_EQ(s.dialogs.messages(), expected);
    EXPECT_EQ(s.data.Joint, (BaseJoint{true, 0, 0, 4, 0, 0.55}));

    s.data.Joint.X1 = 0.12345;
    s.inDialog<Tbase_joint>([](Tbase_joint& d) {
        EXPECT_TRUE(d.Edits[0]->text() == QStringLiteral("0.123") && !d.Button3->isHidden());
        d.Button1->click();
    });
    s.commands.baseJoint();
    EXPECT_EQ(s.data.Joint.X1, 0.12345);
    s.inDialog<Tbase_joint>([](Tbase_joint& d) { d.Button3->click(); });
    s.commands.baseJoint();
    EXPECT_EQ(s.data.Joint, BaseJoint{});
    s.inDialog<Tbase_joint>([](Tbase_joint& d) {
        d.Edits[4]->setText(QStringLiteral("0.3"));
        d.Button4->click();
    });
    s.commands.baseJoint();
    EXPECT_FALSE(s.data.Idle);
}

TEST(BaseJointFile, OpensWithTheProjectAndADamagedOneLeavesTheProjectAsItWas)
{
    CommandSession s;
    ProjectData saved = s.data;
    saved.Joint = {true, 0, 0, 4, 0, 0.5};
    const std::string good = FormatProjectFile(saved);
    s.folder.write(QStringLiteral("good.klv"), good);
    s.folder.write(QStringLiteral("cut.klv"), good.substr(0, good.size() - 25));
    s.dialogs.answerNo();
    s.dialogs.answerFile(s.folder.file(QStringLiteral("good.klv")));
    s.commands.open();
    EXPECT_EQ(s.data.Joint, saved.Joint);
    s.data.Computed = true;
    s.dialogs.answerNo();
    s.dialogs.answerFile(s.folder.file(QStringLiteral("cut.klv")));
    s.commands.open();
    EXPECT_TRUE(s.data.Joint == saved.Joint && s.data.Computed);
    EXPECT_EQ(s.dialogs.messages(),
              std::vector<QString>{"Invalid project file: the base joint ends early, it needs x1, y1, x2, y2 and mu"});
}

}  // namespace
}  // namespace kalven
