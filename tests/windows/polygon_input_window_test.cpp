// Polygon input and deletion through the real main window: buttons, mouse events, pixels.
#include <gtest/gtest.h>

#include <QAction>
#include <QMouseEvent>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "core/windows/vstup1_wall.h"
#include "platform/drawing_image.h"
#include "support/fake_user_dialogs.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;

struct InputWindow {
    FakeUserDialogs dialogs;
    Tvstupy window{dialogs};

    InputWindow()
    {
        window.Image1_vstupy->setImageSize(601, 425);
        ProjectReset(window.data());
        window.Osnova();
        window.showDrawing();
    }
    ProjectData& data() { return window.data(); }
    QImage picture() const { return window.Image1_vstupy->image().copy(); }

    void move(int x, int y, QWidget* over = nullptr)
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

int DifferentPixels(const QImage& a, const QImage& b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(PolygonInputWindow, IdleArmedDrawingIdleAndTheCommandsInBetween)
{
    InputWindow w;
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

TEST(PolygonInputWindow, TheRubberBandLeavesNoTrace)
{
    InputWindow w;
    testing::SetOutline(w.data(), 2, {{2, 2}, {20, 3}, {10, 15}, {2, 2}});
    w.window.Kresli();
    w.arm(1);
    w.click(Qt::LeftButton, 120, 380);
    const QImage placed = w.picture();
    w.move(400, 60);
    w.move(300, 330);
    // Only the second band differs from the picture before: the first is gone.
    const QImage banded = w.picture();
    EXPECT_GT(DifferentPixels(placed, banded), 0);
    EXPECT_LE(DifferentPixels(placed, banded), 180);
    w.move(w.window.BandAnchor.x, w.window.BandAnchor.y);
    EXPECT_EQ(w.picture(), placed);
}

TEST(PolygonInputWindow, DeletionRedrawsWithoutTheArea)
{
    InputWindow w;
    testing::SetOutline(w.data(), 2, {{2, 2}, {20, 3}, {10, 15}, {2, 2}});
    const QImage empty = w.picture();
    w.window.Kresli();
    w.window.showDrawing();
    ASSERT_NE(w.picture(), empty);
    w.window.SpinEdit_kavern->setValue(2);
    QTest::mouseClick(w.window.SpBu_Kavern_no, Qt::LeftButton);
    EXPECT_FALSE(w.data().AreaUsed[2]);
    EXPECT_FALSE(w.window.SpBu_Kavern_no->isChecked());
    EXPECT_EQ(w.picture(), empty);
    EXPECT_TRUE(w.dialogs.calls().empty());  // no confirmation
}

}  // namespace
}  // namespace kalven
