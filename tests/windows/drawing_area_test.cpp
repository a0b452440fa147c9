// Polygon input, deletion and the length command with its dialog.
#include <gtest/gtest.h>

#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <clocale>

#include "windows/Unit1_mirt_dlzka.h"
#include "windows/radio_group.h"
#include "support/command_session.h"
#include "support/image_checks.h"
#include "support/load_area_fixture.h"
#include "support/started_window.h"

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
    EXPECT_EQ(s.panels.texts[1], "    Load area No. 3");  // the chosen number reaches the input
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
    EXPECT_TRUE(s.quiet());
}

TEST(PolygonInputCommands, TheRubberBandLeavesNoTraceAndDeletionRedrawsWithoutTheArea)
{
    testing::PixelCommandSession s;
    const QImage empty = s.picture();
    testing::SetOutline(s.data, 2, {{2, 2}, {20, 3}, {10, 15}, {2, 2}});
    s.commands.Kresli();
    s.commands.armArea();
    s.commands.mouseMove(120, 380);
    s.commands.mouseDown(MouseButton::Left, 120, 380);
    const QImage placed = s.picture();
    s.commands.mouseMove(400, 60);
    s.commands.mouseMove(300, 330);
    // Only the second band differs from the picture before: the first is gone.
    const int banded = testing::DifferentPixels(placed, s.picture());
    EXPECT_GT(banded, 0);
    EXPECT_LE(banded, 180);
    const PixelPoint anchor = s.commands.bandAnchor();
    s.commands.mouseMove(anchor.x, anchor.y);
    EXPECT_EQ(s.picture(), placed);

    s.commands.mouseDown(MouseButton::Right, anchor.x, anchor.y);
    s.commands.deleteArea();
    s.window.area = 2;
    s.commands.deleteArea();
    EXPECT_FALSE(s.data.AreaUsed[1] || s.data.AreaUsed[2]);
    EXPECT_EQ(s.picture(), empty);
    EXPECT_TRUE(s.dialogs.calls().empty());  // no confirmation
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
    }
}

// The real length dialog, opened by the command.
struct LengthSession : CommandSession {
    LengthSession() : CommandSession(Editing::Real) { SetAbutment(data); }
    void open(std::function<void(TForm1_dlzka&)> fill)
    {
        testing::AnswerDialog<TForm1_dlzka>(dialogs, std::move(fill));
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

TEST(LengthDialog, RoundingAloneKeepsTheProjectAnyTouchOfTheLengthStartsAnew)
{
    LengthSession w;
    w.open([](TForm1_dlzka& d) {
        d.RadioGroup1->item(0)->click();
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data.Rounding, 0);
    EXPECT_TRUE(Kept(w.data));

    // Back to the old length still starts anew; "1 cm" is stored, then the reset sets "5 cm".
    w.open([](TForm1_dlzka& d) {
        d.SpinEdit1->setValue(30);
        d.SpinEdit1->setValue(25);
        d.BitBtn1->click();
    });
    EXPECT_FALSE(w.data.AreaUsed[1]);
    EXPECT_EQ(w.data.AreaLength, 25);
    EXPECT_EQ(w.data.Rounding, 1);

    w.open([](TForm1_dlzka& d) {
        EXPECT_EQ(d.RadioGroup1->itemIndex(), 1);
        QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.SpinEdit1, Qt::Key_Backspace);
        EXPECT_EQ(d.SpinEdit1Value(), 5);  // an empty text reads as the least length
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data.AreaLength, 5);
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

// Closing with the title-bar button after touching the length used to reset the whole project.
TEST(LengthDialog, EveryWayOutButOkKeepsTheProject)
{
    const std::pair<const char*, std::function<void(TForm1_dlzka&)>> leave[] = {
        {"Cancel", [](TForm1_dlzka& d) { d.BitBtn2->click(); }},
        {"title-bar close", [](TForm1_dlzka& d) { d.close(); }},
        {"Escape", [](TForm1_dlzka& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
    };
    for (const auto& [way, act] : leave) {
        SCOPED_TRACE(way);
        LengthSession w;
        w.open([&](TForm1_dlzka& d) {
            d.SpinEdit1->setValue(300);
            d.RadioGroup1->setItemIndex(0);
            act(d);
            EXPECT_FALSE(w.data.LengthChanged);
        });
        EXPECT_TRUE(Kept(w.data));
        EXPECT_EQ(w.data.AreaLength, 25);
        EXPECT_EQ(w.data.Rounding, 1);
    }
}

}  // namespace
}  // namespace kalven
