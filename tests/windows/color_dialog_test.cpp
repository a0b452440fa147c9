#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>

#include "core/windows/unit13_dir.h"
#include "core/windows/vstup1_wall.h"
#include "drawing/windows/unit14_color.h"
#include "platform/drawing_image.h"
#include "support/fake_user_dialogs.h"
#include "support/working_folder.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;
using testing::WorkingFolder;

// Presses the dialog's buttons in order while it is shown; returns whether it was accepted.
std::function<bool(QDialog&)> press(std::vector<void (Tmirt_color::*)()> buttons)
{
    return [buttons](QDialog& dialog) {
        auto& colors = dynamic_cast<Tmirt_color&>(dialog);
        for (auto button : buttons)
            (colors.*button)();
        return colors.result() == QDialog::Accepted;
    };
}

std::vector<ColorValue> shapes(const Tmirt_color& dialog)
{
    std::vector<ColorValue> values;
    for (const ColorShape* shape : dialog.Shapes)
        values.push_back(shape->brushColor());
    return values;
}

std::vector<ColorValue> values(const ColorTable& table)
{
    std::vector<ColorValue> list;
    for (int slot = 1; slot <= kColorCount; ++slot)
        list.push_back(table[slot]);
    return list;
}

TEST(ColorDialog, OpensWithTheLiveColoursAndUniversalLineSelected)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    window.data().ColorSettings[kLoadAreaColor] = 0x00123456;
    dialogs.answerModal([](QDialog& dialog) {
        auto& colors = dynamic_cast<Tmirt_color&>(dialog);
        EXPECT_EQ(colors.windowTitle(), QStringLiteral(" Set colors"));
        EXPECT_EQ(colors.itemIndex(), 3);
        EXPECT_EQ(colors.Shapes[7]->brushColor(), 0x00123456u);
        EXPECT_EQ(colors.Shapes[2]->geometry(), QRect(16, 24 + 32 * 3, 65, 17));
        return false;
    });
    window.SetColor1Click();
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].what, QStringLiteral("runModal"));
}

TEST(ColorDialog, ResetThenOkGivesTheCompiledInTable)
{
    ProjectData data;
    data.ColorSettings = PresetColors(ColorPreset::Dark);
    FakeUserDialogs dialogs;
    Tmirt_color dialog(data, dialogs);
    dialog.Button4Click();
    dialog.Button5Click();
    EXPECT_EQ(data.ColorSettings, DefaultColors());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Light is the compiled-in table on another background.
    ColorTable light = PresetColors(ColorPreset::Light);
    EXPECT_EQ(light[kBackground], 0x00C8DDD6u);
    light[kBackground] = kSystemWindowColor;
    EXPECT_EQ(light, DefaultColors());
}

TEST(ColorDialog, TheWorkingCopyOutlivesCancelWhileTheDrawingKeepsItsColours)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    dialogs.answerModal(press({&Tmirt_color::Button3Click, &Tmirt_color::Button6Click}));
    window.SetColor1Click();
    EXPECT_EQ(window.data().ColorSettings, DefaultColors());

    std::vector<ColorValue> reopened;
    dialogs.answerModal([&](QDialog& dialog) {
        reopened = shapes(dynamic_cast<Tmirt_color&>(dialog));
        return false;
    });
    window.SetColor1Click();
    EXPECT_EQ(reopened, values(PresetColors(ColorPreset::Dark)));
    EXPECT_EQ(window.data().ColorSettings, DefaultColors());
}

TEST(ColorDialog, ManualSetUpChangesTheSelectedSlotOnlyWhenConfirmed)
{
    ProjectData data;
    FakeUserDialogs dialogs;
    Tmirt_color dialog(data, dialogs);
    dialog.setItemIndex(1);
    dialogs.answerColor(0x00112233);
    dialog.Button1Click();
    dialogs.answerColor(std::nullopt);
    dialog.setItemIndex(0);
    dialog.Button1Click();
    EXPECT_EQ(dialog.Shapes[1]->brushColor(), 0x00112233u);
    EXPECT_EQ(dialog.dialogColors()[kBackground], kSystemWindowColor);
    EXPECT_EQ(data.ColorSettings, DefaultColors());  // the live table waits for OK
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST(ColorDialog, SaveWritesTheWorkingCopyToTheColourFileAndReportsAFileThatCannotBeWritten)
{
    WorkingFolder folder;
    ProjectData data;
    data.InitialDir = "projects";
    FakeUserDialogs dialogs;
    Tmirt_color dialog(data, dialogs);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Button3Click();
    dialog.Button7Click();
    EXPECT_EQ(folder.read(QStringLiteral("mirt1.cfg")),
              "projects\r\n8421504\r\n9803157\r\n12040119\r\n16777215\r\n16744703\r\n8454016\r\n6993407\r\n16763283\r\n");
    EXPECT_EQ(data.ColorSettings, DefaultColors());
    EXPECT_EQ(finished.count(), 0);  // the dialog stays open
    EXPECT_TRUE(dialogs.messages().empty());

    // A folder in the file's place cannot be replaced, even by root.
    ASSERT_TRUE(QDir(folder.path()).remove(QStringLiteral("mirt1.cfg")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("mirt1.cfg")));
    dialog.Button7Click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("File output error !!!")});
    EXPECT_EQ(dialogs.calls()[0].kind, MessageKind::Plain);
}

TEST(ColorDialog, NewColoursReachTheRasterAtItsNextRedrawAndTheConfigurationThroughTheDirectoryDialog)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    const QImage& image = window.Image1_vstupy->image();
    const QPoint inside(3, image.height() - 3);
    const QRgb before = image.pixel(inside);

    dialogs.answerModal(press({&Tmirt_color::Button3Click, &Tmirt_color::Button5Click}));
    window.SetColor1Click();
    EXPECT_EQ(image.pixel(inside), before);  // OK does not redraw
    window.Osnova();
    window.showDrawing();
    EXPECT_EQ(image.pixel(inside), qRgb(0x80, 0x80, 0x80));

    dialogs.answerModal([](QDialog& dialog) {
        auto& dir = dynamic_cast<Tmirt_dir&>(dialog);
        dir.Button1Click();
        return dir.result() == QDialog::Accepted;
    });
    window.Directory1Click();
    EXPECT_EQ(folder.read(QStringLiteral("kalven1.cfg")),
              "examples\r\n8421504\r\n9803157\r\n12040119\r\n16777215\r\n16744703\r\n8454016\r\n6993407\r\n16763283\r\n");
}

TEST(ColorDialog, DoesNothingWhileAPolygonInputIsUnderWay)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    window.data().Idle = false;
    window.SetColor1Click();
    EXPECT_TRUE(dialogs.calls().empty());
}

}  // namespace
}  // namespace kalven
