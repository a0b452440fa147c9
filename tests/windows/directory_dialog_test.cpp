#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "core/windows/unit13_dir.h"
#include "core/windows/vstup1_wall.h"
#include "support/fake_user_dialogs.h"
#include "support/working_folder.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;
using testing::WorkingFolder;

// Types the folder into the dialog and presses one of its buttons.
std::function<bool(QDialog&)> typeFolderAnd(const QString& folder, bool ok)
{
    return [folder, ok](QDialog& dialog) {
        auto& dir = dynamic_cast<Tmirt_dir&>(dialog);
        EXPECT_EQ(dir.windowTitle(), QStringLiteral(" Initial directory - input"));
        dir.Edit1->setText(folder);
        (ok ? dir.Button1 : dir.Button2)->click();
        return dir.result() == QDialog::Accepted;
    };
}

TEST(DirectoryDialog, OkWritesTheFolderAndTheLiveColoursToTheConfiguration)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    window.data().ColorSettings[kBackground] = 0x00808080;
    dialogs.answerModal([](QDialog& dialog) {
        EXPECT_EQ(dynamic_cast<Tmirt_dir&>(dialog).Edit1->text(), QStringLiteral("examples"));
        return typeFolderAnd(QStringLiteral("/no/such/folder"), true)(dialog);
    });
    window.Directory1Click();
    EXPECT_EQ(window.data().InitialDir, "/no/such/folder");
    EXPECT_EQ(window.dialogDirectory(), QStringLiteral("/no/such/folder"));
    EXPECT_EQ(folder.read(QStringLiteral("kalven1.cfg")),
              "/no/such/folder\r\n8421504\r\n12632256\r\n8421504\r\n0\r\n12124345\r\n8421376\r\n128\r\n10485760\r\n");
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST(DirectoryDialog, CancelChangesNothingButTheDialogFolderIsSetAgain)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    const std::string before = folder.read(QStringLiteral("kalven1.cfg"));
    dialogs.answerModal(typeFolderAnd(QStringLiteral("/elsewhere"), false));
    window.Directory1Click();
    EXPECT_EQ(window.data().InitialDir, "examples");
    EXPECT_EQ(window.dialogDirectory(), QStringLiteral("examples"));
    EXPECT_EQ(folder.read(QStringLiteral("kalven1.cfg")), before);
}

TEST(DirectoryDialog, AFileThatCannotBeWrittenKeepsTheDialogOpenWithTheNewFolder)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    ProjectData data;
    data.InitialDir = "old";
    // A folder in the configuration file's place: the file cannot be created, even by root.
    ASSERT_TRUE(QDir(folder.path()).remove(QStringLiteral("kalven1.cfg")));
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("kalven1.cfg")));
    Tmirt_dir dialog(data, dialogs);
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.Edit1->setText(QStringLiteral("new"));
    dialog.Button1->click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("File output error !!!")});
    EXPECT_EQ(dialogs.calls()[0].kind, MessageKind::Plain);
    EXPECT_EQ(finished.count(), 0);  // still open
    EXPECT_EQ(data.InitialDir, "new");
}

}  // namespace
}  // namespace kalven
