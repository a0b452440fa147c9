// Polygon input, deletion and the length dialog through the real main window: buttons, mouse
// events, pixels.
#include <gtest/gtest.h>

#include <QAction>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <clocale>

#include "windows/Unit1_mirt_dlzka.h"
#include "windows/radio_group.h"
#include "support/image_checks.h"
#include "support/load_area_fixture.h"
#include "support/started_window.h"

namespace kalven {
namespace {

// The main window on a drawing image of 601 x 425 pixels (24 pixels a metre on a 25 m area), with
// an empty project and its raster.
struct DrawingWindow {
    testing::FakeUserDialogs dialogs;
    Tvstupy window{dialogs};

    DrawingWindow()
    {
        window.Image1_vstupy->setImageSize(601, 425);
        ProjectReset(window.data());
        window.Osnova();
        window.showDrawing();
    }
    ProjectData& data() { return window.data(); }
    QImage picture() const { return window.Image1_vstupy->image().copy(); }

    void move(double x, double y, QWidget* over = nullptr)
    {
        QMouseEvent event(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(over ? over : window.Image1_vstupy, &event);
    }
    void click(Qt::MouseButton button, int x, int y)
    {
        move(x, y);
        QTest::mouseClick(window.Image1_vstupy, button, Qt::NoModifier, QPoint(x, y));
    }
    void arm(int area)
    {
        window.SpinEdit_kavern->setValue(area);
        QTest::mouseClick(window.SpBu_Kavern, Qt::LeftButton);
    }
};

TEST(PolygonInputWindow, IdleArmedDrawingIdleAndTheCommandsInBetween)
{
    DrawingWindow w;
    w.arm(3);
    EXPECT_TRUE(w.window.SpBu_Kavern->isChecked());
    EXPECT_EQ(w.data().InputMode, kInputModeLoadArea);
    EXPECT_FALSE(w.data().Idle);
    EXPECT_EQ(w.window.panelText(1), QStringLiteral(" Loaded area - input data"));

    // Armed: the length command and deletion stay out; deletion still releases its button.
    w.window.Length1->trigger();
    QTest::mouseClick(w.window.SpBu_Kavern_no, Qt::LeftButton);
    EXPECT_FALSE(w.window.SpBu_Kavern_no->isChecked());
    EXPECT_TRUE(w.data().AreaUsed[3]);

    w.click(Qt::LeftButton, 100, 300);
    EXPECT_TRUE(w.data().PolygonStarted);
    EXPECT_EQ(w.window.panelText(2), QStringLiteral("  End right mouse button !"));
    EXPECT_EQ(w.window.panelText(1), QStringLiteral("    Load area No. 3"));
    w.click(Qt::LeftButton, 200, 300);
    w.window.Length1->trigger();
    EXPECT_TRUE(w.dialogs.calls().empty());

    w.click(Qt::RightButton, 150, 200);
    EXPECT_TRUE(w.data().Idle);
    EXPECT_EQ(w.data().InputMode, 0);
    EXPECT_EQ(w.data().VertexCount[3], 3);
    EXPECT_EQ(w.window.panelText(2), QStringLiteral("  Length =  25 m"));
    // The arming button stays down until the mouse passes over the window beside the image.
    w.move(150, 210);
    EXPECT_TRUE(w.window.SpBu_Kavern->isChecked());
    w.move(40, 200, w.window.centralWidget());
    EXPECT_FALSE(w.window.SpBu_Kavern->isChecked());
    EXPECT_FALSE(w.data().ReleaseAreaButton);

    // A used area is not armed again: the button only comes up.
    w.arm(3);
    EXPECT_FALSE(w.window.SpBu_Kavern->isChecked());
    EXPECT_TRUE(w.data().Idle);
    // Pressing the button again while armed, with another number, only lets it up.
    w.arm(4);
    w.arm(5);
    EXPECT_FALSE(w.window.SpBu_Kavern->isChecked());
    EXPECT_EQ(w.data().CurrentArea, 4);
    EXPECT_FALSE(w.data().Idle || w.data().AreaUsed[5]);
}

TEST(PolygonInputWindow, APositionBetweenPixelsBelongsToThePixelItLiesIn)
{
    // Under a fractional screen scale the mouse reports positions such as 100.9.
    DrawingWindow w;
    w.move(100, 300);
    const QString whole = w.window.panelText(0);
    w.move(100.9, 300.6);
    EXPECT_EQ(w.window.panelText(0), whole);
    w.move(101, 300);
    EXPECT_NE(w.window.panelText(0), whole);
}

TEST(PolygonInputWindow, TheRubberBandLeavesNoTraceAndDeletionRedrawsWithoutTheArea)
{
    DrawingWindow w;
    const QImage empty = w.picture();
    testing::SetOutline(w.data(), 2, {{2, 2}, {20, 3}, {10, 15}, {2, 2}});
    w.window.Kresli();
    w.arm(1);
    w.click(Qt::LeftButton, 120, 380);
    const QImage placed = w.picture();
    w.move(400, 60);
    w.move(300, 330);
    // Only the second band differs from the picture before: the first is gone.
    const int banded = testing::DifferentPixels(placed, w.picture());
    EXPECT_GT(banded, 0);
    EXPECT_LE(banded, 180);
    w.move(w.window.BandAnchor.x, w.window.BandAnchor.y);
    EXPECT_EQ(w.picture(), placed);

    w.click(Qt::RightButton, w.window.BandAnchor.x, w.window.BandAnchor.y);
    w.window.SpinEdit_kavern->setValue(1);
    QTest::mouseClick(w.window.SpBu_Kavern_no, Qt::LeftButton);
    w.window.SpinEdit_kavern->setValue(2);
    QTest::mouseClick(w.window.SpBu_Kavern_no, Qt::LeftButton);
    EXPECT_FALSE(w.data().AreaUsed[1] || w.data().AreaUsed[2]);
    EXPECT_FALSE(w.window.SpBu_Kavern_no->isChecked());
    EXPECT_EQ(w.picture(), empty);
    EXPECT_TRUE(w.dialogs.calls().empty());  // no confirmation
}

// The window with one area and a title, computed, on a screen that allows lengths below 581 m.
struct LengthWindow : DrawingWindow {
    LengthWindow()
    {
        data().MaxAreaLength = 581;
        testing::SetOutline(data(), 1, {{1, 1}, {4, 1}, {2, 3}, {1, 1}});
        data().Title = "Abutment";
        data().Computed = true;
        window.Kresli();
    }
    bool kept() const { return window.data().AreaUsed[1] && window.data().Title == "Abutment"; }
    // Opens the dialog through the menu command and lets `fill` work it.
    void open(std::function<void(TForm1_dlzka&)> fill)
    {
        testing::AnswerDialog<TForm1_dlzka>(dialogs, std::move(fill));
        window.Length1->trigger();
    }
};

TEST(LengthDialog, RefusesTheBoundKeepingTheDialogOpenAndAcceptsOneBelowIt)
{
    LengthWindow w;
    w.data().Rounding = 0;
    w.open([&](TForm1_dlzka& d) {
        EXPECT_EQ(d.SpinEdit1->value(), 25);
        EXPECT_EQ(d.RadioGroup1->itemIndex(), 0);
        d.SpinEdit1->setValue(581);
        d.RadioGroup1->setItemIndex(1);
        d.BitBtn1->click();
        EXPECT_EQ(d.result(), 0);  // still open
        EXPECT_EQ(w.dialogs.messages(), std::vector<QString>{QStringLiteral("Length must be < 581")});
        EXPECT_EQ(w.dialogs.calls().back().kind, MessageKind::Plain);
        EXPECT_TRUE(w.kept() && w.data().Computed);
        EXPECT_EQ(w.data().AreaLength, 25);
        EXPECT_EQ(w.data().Rounding, 0);  // the rounding is not stored either
        d.SpinEdit1->setValue(580);
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().AreaLength, 580);
    EXPECT_FALSE(w.data().AreaUsed[1]);  // a new length starts a new project
    EXPECT_EQ(w.data().Title, kDefaultTitle);
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().Rounding, 1);
    EXPECT_EQ(w.window.panelText(2), QStringLiteral("  Length = 580 m"));
    EXPECT_EQ(w.dialogs.messages().size(), 1u);
}

TEST(LengthDialog, RoundingAloneKeepsTheProjectAnyTouchOfTheLengthStartsAnew)
{
    LengthWindow w;
    w.open([](TForm1_dlzka& d) {
        d.RadioGroup1->item(0)->click();
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().Rounding, 0);
    EXPECT_TRUE(w.kept());
    EXPECT_TRUE(w.data().Computed);

    // Back to the old length still starts anew; "1 cm" is stored, then the reset sets "5 cm".
    w.open([](TForm1_dlzka& d) {
        d.SpinEdit1->setValue(30);
        d.SpinEdit1->setValue(25);
        d.BitBtn1->click();
    });
    EXPECT_FALSE(w.data().AreaUsed[1]);
    EXPECT_EQ(w.data().AreaLength, 25);
    EXPECT_EQ(w.data().Rounding, 1);

    w.open([](TForm1_dlzka& d) {
        EXPECT_EQ(d.RadioGroup1->itemIndex(), 1);
        QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(d.SpinEdit1, Qt::Key_Backspace);
        EXPECT_EQ(d.SpinEdit1Value(), 5);  // an empty text reads as the least length
        d.BitBtn1->click();
    });
    EXPECT_EQ(w.data().AreaLength, 5);
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
        LengthWindow w;
        w.open([](TForm1_dlzka& d) {
            EXPECT_NE(d.SpinEdit1->text(), QStringLiteral("25"));
            QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
            for (QChar digit : QLocale().toString(300))
                QTest::sendKeyEvent(QTest::Click, d.SpinEdit1, Qt::Key_unknown, QString(digit), Qt::NoModifier);
            d.BitBtn1->click();
        });
        EXPECT_EQ(w.data().AreaLength, 300);
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
        LengthWindow w;
        w.open([&](TForm1_dlzka& d) {
            d.SpinEdit1->setValue(300);
            d.RadioGroup1->setItemIndex(0);
            act(d);
            EXPECT_FALSE(w.data().LengthChanged);
        });
        EXPECT_TRUE(w.kept());
        EXPECT_EQ(w.data().AreaLength, 25);
        EXPECT_EQ(w.data().Rounding, 1);
    }
}

}  // namespace
}  // namespace kalven
