// The colour dialog with its presets and colour file, and the initial-directory dialog that writes
// the configuration.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>

#include "drawing/color_presets.h"
#include "windows/unit13_dir.h"
#include "windows/unit14_color.h"
#include "support/started_window.h"

namespace kalven {
namespace {

using testing::StartedWindow;

const char* const kDarkColors =
    "8421504\r\n9803157\r\n12040119\r\n16777215\r\n16744703\r\n8454016\r\n6993407\r\n16763283\r\n";

ColorTable Shown(const Tmirt_color& dialog)
{
    ColorTable table;
    for (int slot = 1; slot <= kColorCount; ++slot)
        table[slot] = dialog.Shapes[static_cast<std::size_t>(slot - 1)]->brushColor();
    return table;
}

// The dialog edits a working copy that outlives Cancel; only OK changes the live table, and no
// redraw follows: the colours show at the next one. Save writes mirt1.cfg and leaves it open.
TEST(ColorDialog, PresetsChooserAndSaveChangeTheWorkingCopyOnlyOkTheLiveTable)
{
    StartedWindow s;
    const std::string delivered = s.folder.read(QStringLiteral("kalven1.cfg"));
    s.window.data().ColorSettings[kLoadAreaColor] = 0x00123456;
    const ColorTable live = s.window.data().ColorSettings;
    s.inDialog<Tmirt_color>([&](Tmirt_color& d) {
        EXPECT_EQ(Shown(d), live);
        d.Button3Click();  // Dark
        d.Button7Click();  // Save
        EXPECT_TRUE(d.isVisible());
        d.Button6Click();  // Cancel
    });
    s.window.SetColor1->trigger();
    EXPECT_EQ(s.folder.read(QStringLiteral("mirt1.cfg")), std::string("examples\r\n") + kDarkColors);
    EXPECT_EQ(s.window.data().ColorSettings, live);

    const QImage& image = s.window.Image1_vstupy->image();
    const QPoint inside(3, image.height() - 3);
    const QRgb before = image.pixel(inside);
    s.dialogs.answerColor(0x00112233);
    s.dialogs.answerColor(std::nullopt);
    s.inDialog<Tmirt_color>([&](Tmirt_color& d) {
        EXPECT_EQ(Shown(d), PresetColors(ColorPreset::Dark));
        d.Button4Click();  // Reset
        d.setItemIndex(0);
        d.Button1Click();  // chosen
        d.setItemIndex(1);
        d.Button1Click();  // cancelled
        d.Button5Click();  // OK
    });
    s.window.SetColor1Click();
    ColorTable expected = DefaultColors();
    expected[kBackground] = 0x00112233;
    EXPECT_EQ(s.window.data().ColorSettings, expected);
    EXPECT_EQ(s.folder.read(QStringLiteral("kalven1.cfg")), delivered);
    EXPECT_EQ(image.pixel(inside), before);
    s.window.Osnova();
    s.window.showDrawing();
    EXPECT_EQ(image.pixel(inside), qRgb(0x33, 0x22, 0x11));
    EXPECT_TRUE(s.dialogs.allAnswered() && s.dialogs.messages().empty());
    ColorTable light = PresetColors(ColorPreset::Light);  // the defaults on another background
    EXPECT_EQ(light[kBackground], 0x00C8DDD6u);
    light[kBackground] = kSystemWindowColor;
    EXPECT_EQ(light, DefaultColors());
}

// kalven1.cfg changes only through the directory dialog's OK, which writes the folder (lines pasted
// along with it dropped: a second line would stop the next start) and the live colours.
TEST(DirectoryDialog, CancelChangesNothingOkWritesTheFolderAndTheLiveColours)
{
    StartedWindow s;
    const auto edit = [&](const char* text, QPushButton* Tmirt_dir::*button) {
        s.inDialog<Tmirt_dir>([=](Tmirt_dir& d) {
            d.Edit1->setText(QString::fromLatin1(text));
            (d.*button)->click();
        });
        s.window.Directory1Click();
    };
    edit("/elsewhere", &Tmirt_dir::Button2);
    EXPECT_EQ(s.window.data().InitialDir, "examples");
    s.window.data().ColorSettings = PresetColors(ColorPreset::Dark);
    edit("/no/such/folder\nold notes\r\nmore", &Tmirt_dir::Button1);
    EXPECT_EQ(s.window.dialogDirectory(), QStringLiteral("/no/such/folder"));
    EXPECT_EQ(s.folder.read(QStringLiteral("kalven1.cfg")), std::string("/no/such/folder\r\n") + kDarkColors);
    EXPECT_TRUE(s.dialogs.messages().empty());
    Tvstupy next(s.dialogs);
    EXPECT_TRUE(next.FormCreate());
    EXPECT_EQ(next.data().InitialDir, "/no/such/folder");
}

TEST(SettingsDialogs, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen)
{
    testing::WorkingFolder folder;
    // A folder in a file's place cannot be replaced, even by root.
    QDir here(folder.path());
    ASSERT_TRUE(here.remove(QStringLiteral("kalven1.cfg")) && here.mkdir(QStringLiteral("kalven1.cfg")) &&
                here.mkdir(QStringLiteral("mirt1.cfg")));
    ProjectData data;
    testing::FakeUserDialogs dialogs;
    Tmirt_dir directory(data, dialogs);
    Tmirt_color colors(data, dialogs);
    directory.show();
    colors.show();
    directory.Edit1->setText(QStringLiteral("new"));
    directory.Button1->click();
    colors.Button7Click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>(2, QStringLiteral("File output error !!!")));
    for (const auto& call : dialogs.calls())
        EXPECT_EQ(call.kind, MessageKind::Plain);
    EXPECT_TRUE(directory.isVisible() && colors.isVisible());
    EXPECT_EQ(data.InitialDir, "new");
}

}  // namespace
}  // namespace kalven
