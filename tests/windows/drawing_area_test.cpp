// Polygon input, deletion and the length command with its dialog.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPushButton>
#include <QAbstractButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <clocale>

#include "windows/Unit1_mirt_dlzka.h"
#include "windows/radio_group.h"
#include "support/command_session.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::CommandSession;

TEST(PolygonInputCommands, IdleArmedDrawingIdleAndTheCommandsInBetween)
{
    CommandSession s;
    const auto click = [&](MouseButton button, int x, int y) {
        s.commands.mouseMove(x, y);
        s.commands.mouseDown(button, x, y);
    };
    s.window.area = 3;
    s.commands.armArea();
    EXPECT_TRUE(s.window.areaButtonDown);
    EXPECT_FALSE(s.data.Idle);
    // Armed: the length command and deletion stay out; deletion still releases its button.
    s.commands.length();
    s.commands.deleteArea();
    EXPECT_FALSE(s.window.deleteButtonDown);
    EXPECT_TRUE(s.data.AreaUsed[3]);

    click(MouseButton::Left, 100, 300);
    EXPECT_EQ(s.panels.texts[1], "    Load area No. 3");         // the chosen number reaches the input
    EXPECT_EQ(s.panels.texts[0], "    X = 4.15      Y = 5.15");  // on the drawing of the window's size
    click(MouseButton::Left, 200, 300);
    click(MouseButton::Right, 150, 200);
    EXPECT_TRUE(s.data.Idle);
    EXPECT_EQ(s.data.VertexCount[3], 3);
    // The arming button stays down until the mouse passes over the window beside the image.
    s.commands.mouseMove(150, 210);
    EXPECT_TRUE(s.window.areaButtonDown);
    s.commands.mouseOverWindow();
    EXPECT_FALSE(s.window.areaButtonDown);

    // A used area is not armed again: the button only comes up.
    s.window.areaButtonDown = true;
    s.commands.armArea();
    EXPECT_FALSE(s.window.areaButtonDown);
    EXPECT_TRUE(s.data.Idle);
    // Pressing the button again while armed, with another number, only lets it up.
    s.window.area = 4;
    s.commands.armArea();
    s.window.area = 5;
    s.window.areaButtonDown = true;
    s.commands.armArea();
    EXPECT_FALSE(s.window.areaButtonDown);
    EXPECT_EQ(s.data.CurrentArea, 4);
    EXPECT_FALSE(s.data.Idle || s.data.AreaUsed[5]);

    // Deletion of a used area redraws without it, without a question.
    s.data.Idle = true;
    s.window.area = 3;
    s.window.deleteButtonDown = true;
    EXPECT_TRUE(s.draws(&ProjectCommands::deleteArea));
    EXPECT_FALSE(s.data.AreaUsed[3] || s.window.deleteButtonDown);
    EXPECT_FALSE(s.draws(&ProjectCommands::deleteArea));
    EXPECT_TRUE(s.quiet());
}

// A project with one area and a title, computed, on a screen that allows lengths below 581 m.
void SetAbutment(ProjectData& data)
{
    data.MaxAreaLength = 581;
    testing::SetOutline(data, 1, {{1, 1}, {4, 1}, {2, 3}, {1, 1}});
    data.Title = "Abutment";
    data.Computed = true;
}

bool Kept(const ProjectData& data)
{
    return data.AreaUsed[1] && data.Title == "Abutment" && data.Computed;
}

// Only OK with a changed length starts a new project; the flag of an earlier dialog counts not.
TEST(LengthCommand, StartsANewProjectOnlyForAChangedLengthTakenWithOk)
{
    const struct {
        bool changed;
        bool ok;
    } cases[] = {{true, true}, {true, false}, {false, true}};
    for (const auto& c : cases) {
        CommandSession s;
        SetAbutment(s.data);
        s.data.Rounding = 0;
        s.data.LengthChanged = true;
        s.editing.answer([&] {
            EXPECT_FALSE(s.data.LengthChanged);
            s.data.AreaLength = 300;
            s.data.LengthChanged = c.changed;
            return c.ok;
        });
        const bool drew = s.draws(&ProjectCommands::length);
        const bool anew = c.changed && c.ok;
        EXPECT_EQ(drew, anew);
        EXPECT_EQ(Kept(s.data), !anew);
        EXPECT_EQ(s.data.Rounding, anew ? 1 : 0);
        EXPECT_EQ(s.panels.texts[2], anew ? "  Length = 300 m" : "");
        EXPECT_EQ(s.panels.texts[1] + s.panels.texts[3], "");
    }
}

// The real length dialog, opened by the command.
struct LengthSession : CommandSession {
    LengthSession() : CommandSession(Editing::Real) { SetAbutment(data); }
    void open(std::function<void(TForm1_dlzka&)> fill)
    {
        inDialog<TForm1_dlzka>(std::move(fill));
        commands.length();
    }
};

TEST(LengthDialog, RefusesTheBoundKeepingTheDialogOpenAndAcceptsOneBelowIt)
{
    LengthSession w;
    w.data.Rounding = 0;
    w.open([&](TForm1_dlzka& d) {
        EXPECT_EQ(d.SpinEdit1->value(), 25);
        EXPECT_EQ(d.RadioGroup1->itemIndex(), 0);
        d.SpinEdit1->setValue(581);
        d.RadioGroup1->setItemIndex(1);
        d.BitBtn1->click();
        EXPECT_EQ(d.result(), 0);  // still open
        EXPECT_EQ(w.dialogs.messages(), std::vector<QString>{QStringLiteral("Length must be < 581")});
        EXPECT_EQ(w.dialogs.calls().back().kind, MessageKind::Plain);
        EXPECT_TRUE(Kept(w.data));
        EXPECT_EQ(w.data.AreaLength, 25);
        EXPECT_EQ(w.data.Rounding, 0);  // the rounding is not stored either
        d.SpinEdit1->setValue(580);
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data.AreaLength, 580);
    EXPECT_FALSE(w.data.AreaUsed[1]);  // a new length starts a new project
    EXPECT_EQ(w.dialogs.messages().size(), 1u);
}

// Only OK keeps a length change: closing with the title-bar button after touching the length used
// to reset the whole project. Any touch of the length starts anew, even back to the old one.
TEST(LengthDialog, OnlyOkWithATouchedLengthStartsAnewTheRoundingAloneIsKept)
{
    const auto click = [](QAbstractButton* button) { return [button] { button->click(); }; };
    const struct {
        const char* what;
        std::function<void(TForm1_dlzka&)> act;
        bool anew;
        int length;
        int rounding;
    } cases[] = {
        {"rounding alone", [&](TForm1_dlzka& d) { d.RadioGroup1->item(0)->click(), click(d.BitBtn1)(); }, false, 25, 0},
        {"length touched and back",
         [&](TForm1_dlzka& d) { d.SpinEdit1->setValue(30), d.SpinEdit1->setValue(25), click(d.BitBtn1)(); }, true, 25,
         1},
        {"emptied",
         [&](TForm1_dlzka& d) {
             QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(d.SpinEdit1, Qt::Key_Backspace);
             click(d.BitBtn1)();  // an empty text reads as the least length
         },
         true, 5, 1},
        {"Cancel", [&](TForm1_dlzka& d) { d.SpinEdit1->setValue(300), click(d.BitBtn2)(); }, false, 25, 1},
        {"title-bar close", [](TForm1_dlzka& d) { d.SpinEdit1->setValue(300), d.close(); }, false, 25, 1},
        {"Escape", [](TForm1_dlzka& d) { d.SpinEdit1->setValue(300), QTest::keyClick(&d, Qt::Key_Escape); }, false, 25,
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LengthSession w;
        w.open([&](TForm1_dlzka& d) {
            EXPECT_EQ(d.RadioGroup1->itemIndex(), 1);
            c.act(d);
        });
        EXPECT_EQ(Kept(w.data), !c.anew);
        EXPECT_EQ(w.data.AreaLength, c.length);
        EXPECT_EQ(w.data.Rounding, c.rounding);
    }
}

// Under Arabic and Persian the box shows and takes the digits of their scripts ("٣٠٠"); read as
// ASCII text they gave the least length and reset the project.
TEST(LengthDialog, TakesALengthTypedInTheDigitsOfTheUsersLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const QLocale before;
    for (const char* name : {"ar_EG.UTF-8", "fa_IR.UTF-8"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(std::setlocale(LC_ALL, name), nullptr) << "the set-up generates this locale";
        QLocale::setDefault(QLocale(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0)));
        LengthSession w;
        w.open([](TForm1_dlzka& d) {
            EXPECT_NE(d.SpinEdit1->text(), QStringLiteral("25"));
            QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
            for (QChar digit : QLocale().toString(300))
                QTest::sendKeyEvent(QTest::Click, d.SpinEdit1, Qt::Key_unknown, QString(digit), Qt::NoModifier);
            d.BitBtn1->click();
        });
        EXPECT_EQ(w.data.AreaLength, 300);
    }
    QLocale::setDefault(before);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace kalven
