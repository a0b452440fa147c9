#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>

#include "core/windows/vstup1_wall.h"
#include "platform/drawing_image.h"
#include "support/fake_user_dialogs.h"
#include "support/load_area_fixture.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;

// Keeps the picture as it stands when a message box opens.
class PictureAtMessage : public FakeUserDialogs {
public:
    Tvstupy* window = nullptr;
    QImage picture;

    void message(const QString& text, MessageKind kind) override
    {
        picture = window->Image1_vstupy->image().copy();
        FakeUserDialogs::message(text, kind);
    }
};

bool HasColor(const QImage& image, QRgb color)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

const QRgb kNavyPixel = qRgb(0, 0, 128);

struct ComputeWindow {
    PictureAtMessage dialogs;
    Tvstupy window{dialogs};
    ComputeWindow() { dialogs.window = &window; }
    ProjectData& data() { return window.data(); }
    void compute() { window.Button1->click(); }
};

TEST(ComputeCommand, EmptyProjectNamesTheMissingAreaAndComputesNothing)
{
    ComputeWindow w;
    w.data().ResultantForce = 7;
    const QImage before = w.window.Image1_vstupy->image().copy();
    w.compute();
    ASSERT_EQ(w.dialogs.calls().size(), 1u);
    EXPECT_EQ(w.dialogs.calls()[0].text, QStringLiteral(" Non-existent area load !"));
    EXPECT_EQ(w.dialogs.calls()[0].kind, MessageKind::Warning);
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().ResultantForce, 7);
    EXPECT_EQ(w.window.Image1_vstupy->image(), before);
}

TEST(ComputeCommand, DoesNothingWhileAPolygonIsEntered)
{
    ComputeWindow w;
    testing::SetTwoAreaExample(w.data());
    w.data().Idle = false;
    w.data().ValidationMessage = "kept";
    w.compute();
    EXPECT_TRUE(w.dialogs.calls().empty());
    EXPECT_EQ(w.data().ValidationMessage, "kept");
    EXPECT_FALSE(w.data().Computed);
    EXPECT_EQ(w.data().ResultCount, 0);
}

TEST(ComputeCommand, ComputesAndDrawsValidAreas)
{
    ComputeWindow w;
    testing::SetTwoAreaExample(w.data());
    w.data().ValidationMessage = "from before";
    w.compute();
    EXPECT_TRUE(w.dialogs.calls().empty());
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ValidationMessage, "");
    EXPECT_EQ(w.data().ResultCount, 2);
    EXPECT_NEAR(w.data().ResultantForce, 56.5685, 1e-4);
    EXPECT_EQ(w.window.panelText(1), QStringLiteral(" "));
    EXPECT_TRUE(HasColor(w.window.Image1_vstupy->image(), kNavyPixel));
}

TEST(ComputeCommand, WarnsOfAResultantOffTheAreaOverTheDrawnResults)
{
    ComputeWindow w;
    testing::SetTwoAreaExample(w.data());
    testing::SetLoad(w.data(), 2, 10, 90);
    w.compute();
    ASSERT_EQ(w.dialogs.calls().size(), 1u);
    EXPECT_EQ(w.dialogs.calls()[0].text, QStringLiteral(" Resultant is outside the desktop !"));
    EXPECT_EQ(w.dialogs.calls()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(HasColor(w.dialogs.picture, kNavyPixel));
    EXPECT_TRUE(w.data().Computed);
    EXPECT_NEAR(w.data().ResultantXc, -3, 1e-9);
}

TEST(ComputeCommand, AFaultyAreaLeavesTheLastResultsAndPicture)
{
    ComputeWindow w;
    testing::SetTwoAreaExample(w.data());
    w.compute();
    const ProjectData computed = w.data();
    const QImage picture = w.window.Image1_vstupy->image().copy();

    w.data().VertexX[5][2] = 4.01;  // area 2 no longer closed
    w.compute();
    ASSERT_EQ(w.dialogs.messages(), std::vector<QString>{QStringLiteral(" Non closed loading area No  2 !")});
    EXPECT_EQ(w.dialogs.calls()[0].kind, MessageKind::Warning);
    EXPECT_TRUE(w.data().Computed);
    EXPECT_EQ(w.data().ResultList, computed.ResultList);
    EXPECT_EQ(w.data().ResultantForce, computed.ResultantForce);
    EXPECT_EQ(w.window.Image1_vstupy->image(), picture);
}

}  // namespace
}  // namespace kalven
