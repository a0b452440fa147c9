#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>

#include "core/windows/vstup1_wall.h"
#include "platform/drawing_image.h"
#include "support/fake_user_dialogs.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

// The main window whose message boxes keep the picture as it stood when they opened.
struct ComputeWindow : testing::FakeUserDialogs {
    Tvstupy window{*this};
    QImage pictureAtMessage;

    void message(const QString& text, MessageKind kind) override
    {
        pictureAtMessage = picture();
        FakeUserDialogs::message(text, kind);
    }
    QImage picture() const { return window.Image1_vstupy->image().copy(); }
    ProjectData& data() { return window.data(); }
    void compute() { window.Button1->click(); }
};

// A point on the navy arrow of area 2, which starts at (120, 413).
bool ShowsNavyAt(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == QColor(0, 0, 128);
}

TEST(ComputeCommand, EmptyProjectOrPolygonInputComputesNothing)
{
    ComputeWindow w;
    w.data().ResultantForce = 7;
    const QImage before = w.picture();
    w.compute();
    ASSERT_EQ(w.calls().size(), 1u);
    EXPECT_EQ(w.calls()[0].text, QStringLiteral(" Non-existent area load !"));
    EXPECT_EQ(w.calls()[0].kind, MessageKind::Warning);
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().ResultantForce, 7);
    EXPECT_EQ(w.picture(), before);

    w.clearCalls();
    testing::SetTwoAreaExample(w.data());
    w.data().Idle = false;
    w.compute();
    EXPECT_TRUE(w.calls().empty());
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().ResultCount, 0);
}

TEST(ComputeCommand, ComputesValidAreasAndKeepsThemThroughAFaultyRun)
{
    ComputeWindow w;
    testing::SetTwoAreaExample(w.data());
    w.data().ValidationMessage = "from before";
    w.compute();
    EXPECT_TRUE(w.calls().empty());
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ValidationMessage, "");
    EXPECT_EQ(w.data().ResultCount, 2);
    EXPECT_EQ(w.window.panelText(1), QStringLiteral(" "));
    const QImage picture = w.picture();
    EXPECT_TRUE(ShowsNavyAt(picture, 160, 413));

    const ProjectData computed = w.data();
    w.data().VertexX[5][2] = 4.01;  // area 2 no longer closed
    w.compute();
    EXPECT_EQ(w.messages(), std::vector<QString>{QStringLiteral(" Non closed loading area No  2 !")});
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ResultList, computed.ResultList);
    EXPECT_EQ(w.picture(), picture);
}

TEST(ComputeCommand, WarnsOfAResultantOffTheAreaOverTheDrawnResults)
{
    ComputeWindow w;
    testing::SetTwoAreaExample(w.data());
    testing::SetLoad(w.data(), 2, 10, 90);
    w.compute();
    ASSERT_EQ(w.calls().size(), 1u);
    EXPECT_EQ(w.calls()[0].text, QStringLiteral(" Resultant is outside the desktop !"));
    EXPECT_EQ(w.calls()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(ShowsNavyAt(w.pictureAtMessage, 120, 400));
    EXPECT_TRUE(w.data().Computed);
}

}  // namespace
}  // namespace kalven
