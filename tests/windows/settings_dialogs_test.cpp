// The colour dialog with its presets and colour file, the initial-directory dialog that writes the
// configuration, and the help, picture and about windows.

#include <QPlainTextEdit>

#include "drawing/color_presets.h"
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
}

// kalven1.cfg changes only through the directory dialog's OK, which writes the folder (lines pasted
// along with it dropped: a second line would stop the next start) and the live colours.
TEST(DirectoryDialog, CancelChangesNothingOkWritesTheFolderAndTheLiveColours)
{
    StartedWindow s;
    for (const bool ok : {false, true}) {
        s.inDialog<Tmirt_dir>([ok](Tmirt_dir& d) {
            d.Edit1->setText(ok ? "/no/such/folder\nold notes\r\nmore" : "/elsewhere");
            (ok ? d.Button1 : d.Button2)->click();
        });
        s.window.Directory1Click();
        EXPECT_EQ(s.window.data().InitialDir, ok ? "/no/such/folder" : "examples");
        s.window.data().ColorSettings = PresetColors(ColorPreset::Dark);
    }
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
    EXPECT_TRUE(dialogs.calls()[0].kind == MessageKind::Plain && dialogs.calls()[1].kind == MessageKind::Plain);
    EXPECT_TRUE(directory.isVisible() && colors.isVisible());
    EXPECT_EQ(data.InitialDir, "new");
}

// The help texts come from the start directory: started elsewhere (the directory text a FIFO,
// refused at once) both fail and open empty, while the picture, drawn from the example it holds,
// and the about window still open. All of them open during polygon input.
TEST(HelpWindows, AllOpenWhileAPolygonInputIsArmedAndTheTextsFailFromAnotherFolder)
{
    StartedWindow s;
    const QString fifo = s.folder.file(QStringLiteral("directory_content.rtf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    s.window.data().Idle = false;
    std::vector<QString> shown;  // the viewer's text or the window's class, with the help topic
    QImage picture;
    for (int i = 0; i < 4; ++i)
        s.dialogs.answerModal([&](QDialog& d) {
            auto* help = dynamic_cast<Tunit15_help*>(&d);
            shown.push_back((help ? help->RichEdit1->toPlainText() : d.metaObject()->className()) +
                            QString::number(s.window.data().HelpTopic));
            if (auto* area = dynamic_cast<THelp_Load_area*>(&d))
                picture = area->picture();
            return false;
        });
    for (auto command :
         {&Tvstupy::Theory1Click, &Tvstupy::Directory_Content1Click, &Tvstupy::Caverns1Click, &Tvstupy::About1Click})
        (s.window.*command)();
    EXPECT_EQ(shown, (std::vector<QString>{"1", "3", "kalven::THelp_Load_area2", "kalven::Tabout2"}));
    EXPECT_EQ(s.dialogs.messages(),
              (std::vector<QString>{"Cannot open file " + s.folder.file(QStringLiteral("force_theory.rtf")),
                                    "The file " + fifo + " is not a regular file: nothing was read."}));
    EXPECT_EQ(s.dialogs.calls()[0].kind, MessageKind::Error);
    EXPECT_EQ(picture.size(), QSize(600, 401));
    EXPECT_GT(testing::CountPixels(picture, qRgb(255, 0, 0)), 20);  // the resultant
}

// The viewer and about close on a typed character but not on moving through the text; about
// shows the licence and closes on a click anywhere.
TEST(HelpWindows, TheViewerAndAboutCloseOnATypedCharacterAboutOnAClickAnywhere)
{
    testing::FakeUserDialogs dialogs;
    Tunit15_help viewer(kTheoryTopic, KALVEN_SHARE_DIR, dialogs);
    Tabout about;
    for (auto [window, text] : {std::pair<QWidget*, QWidget*>{&viewer, viewer.RichEdit1}, {&about, about.Memo1}}) {
        window->show();
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Right, Qt::Key_Shift})
            QTest::keyClick(text, key);
        EXPECT_TRUE(window->isVisible());
        QTest::keyClick(text, 'q');
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_TRUE(dialogs.messages().empty());
    QFile licence(QStringLiteral(KALVEN_SHARE_DIR "/../LICENSE"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    EXPECT_EQ(about.Memo1->toPlainText().simplified(), QString::fromUtf8(licence.readAll()).simplified());
    for (QWidget* target : {static_cast<QWidget*>(&about), static_cast<QWidget*>(about.Image1), about.Memo1->viewport(),
                            about.Memo2->viewport()}) {
        about.show();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_FALSE(about.isVisible()) << target->objectName().toStdString();
    }
}

}  // namespace
}  // namespace kalven
