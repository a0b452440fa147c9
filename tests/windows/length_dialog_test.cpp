// The length and rounding dialog through "&Length + Rounding" of the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "core/windows/vstup1_wall.h"
#include "drawing/windows/Unit1_mirt_dlzka.h"
#include "platform/drawing_image.h"
#include "platform/radio_group.h"
#include "support/fake_user_dialogs.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;

struct LengthWindow {
    FakeUserDialogs dialogs;
    Tvstupy window{dialogs};

    LengthWindow()
    {
        window.Image1_vstupy->setImageSize(601, 425);
        ProjectData& d = window.data();
        ProjectReset(d);
        d.MaxAreaLength = 581;
        testing::SetOutline(d, 1, {{1, 1}, {4, 1}, {2, 3}, {1, 1}});
        d.Title = "Abutment";
        d.Computed = true;
        window.Osnova();
        window.Kresli();
    }
    ProjectData& data() { return window.data(); }
    bool kept() const { return window.data().AreaUsed[1] && window.data().Title == "Abutment"; }
    // Opens the dialog through the menu command and lets `fill` work it.
    void open(const std::function<void(TForm1_dlzka&)>& fill)
    {
        dialogs.answerModal([fill](QDialog& dialog) {
            auto* length = qobject_cast<TForm1_dlzka*>(&dialog);
            EXPECT_NE(length, nullptr);
            if (length)
                fill(*length);
            return dialog.result() == QDialog::Accepted;
        });
        window.Length1->trigger();
    }
};

TEST(LengthDialog, ShowsTheSettingsAndAcceptsOneBelowTheBound)
{
    LengthWindow w;
    w.data().Rounding = 0;
    w.open([](TForm1_dlzka& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Length"));
        EXPECT_EQ(d.RadioGroup1->title(), QStringLiteral(" ROUNDING "));
        EXPECT_EQ(d.SpinEdit1->value(), 25);
        EXPECT_EQ(d.RadioGroup1->itemIndex(), 0);
        d.SpinEdit1->setValue(580);
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().AreaLength, 580);
    EXPECT_FALSE(w.data().AreaUsed[1]);  // a new length starts a new project
    EXPECT_EQ(w.data().Title, kDefaultTitle);
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().Rounding, 1);
    EXPECT_EQ(w.window.panelText(2), QStringLiteral("  Length = 580 m"));
    EXPECT_TRUE(w.dialogs.messages().empty());
}

TEST(LengthDialog, TheBoundIsRefusedAndTheDialogStaysOpen)
{
    LengthWindow w;
    w.open([&](TForm1_dlzka& d) {
        d.SpinEdit1->setValue(581);
        d.RadioGroup1->setItemIndex(0);
        d.BitBtn1->click();
        EXPECT_EQ(d.result(), 0);  // still open
        EXPECT_EQ(w.dialogs.messages(), std::vector<QString>{QStringLiteral("Length must be < 581")});
        EXPECT_EQ(w.dialogs.calls().back().kind, MessageKind::Plain);
        EXPECT_EQ(w.data().AreaLength, 25);
        EXPECT_EQ(w.data().Rounding, 1);  // the rounding is not stored either
        d.BitBtn2->click();
    });
    EXPECT_TRUE(w.kept());
    EXPECT_EQ(w.data().AreaLength, 25);
    EXPECT_TRUE(w.data().Computed);
}

TEST(LengthDialog, RoundingAloneKeepsTheProjectANewLengthEndsAtFiveCentimetres)
{
    LengthWindow w;
    w.open([](TForm1_dlzka& d) {
        d.RadioGroup1->item(0)->click();
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().Rounding, 0);
    EXPECT_TRUE(w.kept());
    EXPECT_TRUE(w.data().Computed);

    // "1 cm" is stored with the new length, then the reset sets "5 cm", which the next opening shows.
    w.open([](TForm1_dlzka& d) {
        d.SpinEdit1->setValue(100);
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().AreaLength, 100);
    EXPECT_EQ(w.data().Rounding, 1);
    w.open([](TForm1_dlzka& d) {
        EXPECT_EQ(d.SpinEdit1->value(), 100);
        EXPECT_EQ(d.RadioGroup1->itemIndex(), 1);
        d.BitBtn2->click();
    });
}

TEST(LengthDialog, EveryWayOutButOkKeepsTheProject)
{
    const std::vector<std::function<void(TForm1_dlzka&)>> leave = {
        [](TForm1_dlzka& d) { d.BitBtn2->click(); },
        [](TForm1_dlzka& d) {
            d.show();
            d.close();  // the title-bar close button
        },
        [](TForm1_dlzka& d) {
            d.show();
            QTest::keyClick(&d, Qt::Key_Escape);
        },
    };
    for (std::size_t i = 0; i < leave.size(); ++i) {
        LengthWindow w;
        w.open([&](TForm1_dlzka& d) {
            d.SpinEdit1->setValue(300);
            d.RadioGroup1->setItemIndex(0);
            leave[i](d);
            EXPECT_FALSE(w.data().LengthChanged) << i;
        });
        EXPECT_TRUE(w.kept()) << i;
        EXPECT_EQ(w.data().AreaLength, 25) << i;
        EXPECT_EQ(w.data().Rounding, 1) << i;
    }
}

TEST(LengthDialog, AnyTouchOfTheLengthCountsAndAnEmptyTextReadsAsFive)
{
    LengthWindow w;
    w.open([](TForm1_dlzka& d) {
        d.SpinEdit1->setValue(30);
        d.SpinEdit1->setValue(25);
        d.BitBtn1->click();
    });
    EXPECT_FALSE(w.data().AreaUsed[1]);  // back to the old value still starts anew
    EXPECT_EQ(w.data().AreaLength, 25);

    w.open([](TForm1_dlzka& d) {
        QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.SpinEdit1, Qt::Key_Backspace);
        EXPECT_EQ(d.SpinEdit1Value(), 5);
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().AreaLength, 5);
}

}  // namespace
}  // namespace kalven
