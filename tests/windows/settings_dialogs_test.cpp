// The colour dialog with its presets and colour file, and the initial-directory dialog that writes
// the configuration.
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "windows/unit13_dir.h"
#include "drawing/color_presets.h"
#include "windows/unit14_color.h"
#include "support/started_window.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;
using testing::StartedWindow;
using testing::WorkingFolder;

// The colours the dialog's shapes show, slot by slot.
ColorTable Shown(const Tmirt_color& dialog)
{
    ColorTable table;
    for (int slot = 1; slot <= kColorCount; ++slot)
        table[slot] = dialog.Shapes[static_cast<std::size_t>(slot - 1)]->brushColor();
    return table;
}

const char* const kDarkColors = "8421504\r\n9803157\r\n12040119\r\n16777215\r\n16744703\r\n8454016\r\n6993407\r\n16763283\r\n";

TEST(ColorDialog, OpensOnTheLiveColoursAndKeepsItsWorkingCopyThroughCancel)
{
    StartedWindow s;
    s.window.data().ColorSettings[kLoadAreaColor] = 0x00123456;
    const ColorTable live = s.window.data().ColorSettings;
    s.inDialog<Tmirt_color>([](Tmirt_color& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral(" Set colors"));
        EXPECT_EQ(d.itemIndex(), 3);  // Universal line
        EXPECT_EQ(d.Shapes[7]->brushColor(), 0x00123456u);
        EXPECT_EQ(d.Shapes[2]->geometry(), QRect(16, 24 + 32 * 3, 65, 17));
        d.Button3Click();  // Dark
        d.Button6Click();  // Cancel
    });
    s.window.SetColor1->trigger();
    EXPECT_EQ(s.window.data().ColorSettings, live);

    ColorTable reopened;
    s.inDialog<Tmirt_color>([&](Tmirt_color& d) {
        reopened = Shown(d);
        d.Button6Click();
    });
    s.window.SetColor1Click();
    EXPECT_EQ(reopened, PresetColors(ColorPreset::Dark));
    EXPECT_EQ(s.window.data().ColorSettings, live);
    EXPECT_TRUE(s.dialogs.allAnswered());
}

TEST(ColorDialog, PresetsManualSetUpAndSaveChangeTheWorkingCopyOnlyOkTheLiveTable)
{
    WorkingFolder folder;
    ProjectData data;
    data.InitialDir = "projects";
    for (int slot = 1; slot <= kColorCount; ++slot)
        data.ColorSettings[slot] = 0x00010203;
    const ColorTable live = data.ColorSettings;
    FakeUserDialogs dialogs;
    Tmirt_color dialog(data, dialogs);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Button3Click();  // Dark
    dialog.Button7Click();  // Save
    EXPECT_EQ(folder.read(QStringLiteral("mirt1.cfg")), std::string("projects\r\n") + kDarkColors);
    EXPECT_EQ(finished.count(), 0);  // Save leaves the dialog open

    dialog.Button4Click();  // Reset
    dialog.setItemIndex(1);
    dialogs.answerColor(0x00112233);
    dialog.Button1Click();
    dialog.setItemIndex(0);
    dialogs.answerColor(std::nullopt);
    dialog.Button1Click();
    EXPECT_EQ(dialog.Shapes[1]->brushColor(), 0x00112233u);
    EXPECT_EQ(dialog.dialogColors()[kBackground], kSystemWindowColor);
    EXPECT_EQ(data.ColorSettings, live);  // the live table waits for OK
    dialog.Button5Click();
    ColorTable expected = DefaultColors();
    expected[kRasterLight] = 0x00112233;
    EXPECT_EQ(data.ColorSettings, expected);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.allAnswered() && dialogs.messages().empty());
    // Light is the compiled-in table on another background.
    ColorTable light = PresetColors(ColorPreset::Light);
    EXPECT_EQ(light[kBackground], 0x00C8DDD6u);
    light[kBackground] = kSystemWindowColor;
    EXPECT_EQ(light, DefaultColors());
}

// New colours reach the raster at its next redraw, and kalven1.cfg only through the directory
// dialog's OK, which writes the folder and the live colours.
TEST(DirectoryDialog, CancelChangesNothingOkWritesTheFolderAndTheLiveColours)
{
    StartedWindow s;
    const std::string delivered = s.folder.read(QStringLiteral("kalven1.cfg"));
    s.inDialog<Tmirt_dir>([](Tmirt_dir& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral(" Initial directory - input"));
        EXPECT_EQ(d.Edit1->text(), QStringLiteral("examples"));
        d.Edit1->setText(QStringLiteral("/elsewhere"));
        d.Button2->click();
    });
    s.window.Directory1Click();
    EXPECT_EQ(s.window.data().InitialDir, "examples");
    EXPECT_EQ(s.window.dialogDirectory(), QStringLiteral("examples"));

    const QImage& image = s.window.Image1_vstupy->image();
    const QPoint inside(3, image.height() - 3);
    const QRgb before = image.pixel(inside);
    s.inDialog<Tmirt_color>([](Tmirt_color& d) {
        d.Button3Click();
        d.Button5Click();
    });
    s.window.SetColor1Click();
    EXPECT_EQ(image.pixel(inside), before);  // OK does not redraw
    EXPECT_EQ(s.folder.read(QStringLiteral("kalven1.cfg")), delivered);
    s.window.Osnova();
    s.window.showDrawing();
    EXPECT_EQ(image.pixel(inside), qRgb(0x80, 0x80, 0x80));

    // Lines pasted along with the folder are dropped: a second line would stop the next start.
    s.inDialog<Tmirt_dir>([](Tmirt_dir& d) {
        d.Edit1->setText(QStringLiteral("/no/such/folder\nold notes\r\nmore"));
        d.Button1->click();
    });
    s.window.Directory1Click();
    EXPECT_EQ(s.window.data().InitialDir, "/no/such/folder");
    EXPECT_EQ(s.window.dialogDirectory(), QStringLiteral("/no/such/folder"));
    EXPECT_EQ(s.folder.read(QStringLiteral("kalven1.cfg")), std::string("/no/such/folder\r\n") + kDarkColors);
    EXPECT_TRUE(s.dialogs.messages().empty());
    Tvstupy next(s.dialogs);
    EXPECT_TRUE(next.FormCreate());
    EXPECT_EQ(next.data().InitialDir, "/no/such/folder");
}

TEST(SettingsDialogs, AFileThatCannotBeWrittenIsReportedAndTheDialogStaysOpen)
{
    WorkingFolder folder;
    // A folder in a file's place cannot be replaced, even by root.
    QDir here(folder.path());
    ASSERT_TRUE(here.remove(QStringLiteral("kalven1.cfg")) && here.mkdir(QStringLiteral("kalven1.cfg")) &&
                here.mkdir(QStringLiteral("mirt1.cfg")));
    ProjectData data;
    data.InitialDir = "old";
    FakeUserDialogs dialogs;
    Tmirt_dir directory(data, dialogs);
    Tmirt_color colors(data, dialogs);
    QSignalSpy directoryFinished(&directory, &QDialog::finished);
    QSignalSpy colorsFinished(&colors, &QDialog::finished);
    directory.Edit1->setText(QStringLiteral("new"));
    directory.Button1->click();
    colors.Button7Click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>(2, QStringLiteral("File output error !!!")));
    for (const auto& call : dialogs.calls())
        EXPECT_EQ(call.kind, MessageKind::Plain);
    EXPECT_EQ(directoryFinished.count() + colorsFinished.count(), 0);
    EXPECT_EQ(data.InitialDir, "new");
}

}  // namespace
}  // namespace kalven
