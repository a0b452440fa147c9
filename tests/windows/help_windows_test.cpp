// The help viewer, the load-area picture and the about window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <sys/stat.h>

#include "windows/Unit15_help1.h"
#include "windows/Unit16_about1.h"
#include "windows/Unit2_Help_Area.h"
#include "support/image_checks.h"
#include "support/started_window.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;

// Records what each help window showed while it was open.
struct Shown {
    QString title;
    QString text;     // the help viewer's text
    QImage picture;   // the picture window's picture
};

std::function<bool(QDialog&)> Record(Shown& shown)
{
    return [&shown](QDialog& dialog) {
        shown.title = dialog.windowTitle();
        if (auto* help = dynamic_cast<Tunit15_help*>(&dialog))
            shown.text = help->RichEdit1->toPlainText();
        if (auto* area = dynamic_cast<THelp_Load_area*>(&dialog))
            shown.picture = area->picture();
        return false;
    };
}

// The help texts come from the start directory; started elsewhere, both fail and open empty,
// while the about window and the picture, the same as ever whatever the folder holds, still open.
TEST(HelpWindows, AllOpenWhileAPolygonInputIsArmedAndTheTextsFailFromAnotherFolder)
{
    QImage picture;
    for (const bool fromShare : {true, false}) {
        SCOPED_TRACE(fromShare ? "from share" : "from another folder");
        testing::StartedWindow s;
        const QString fifo = s.folder.file(QStringLiteral("directory_content.rtf"));
        if (fromShare)
            s.window.data().StartDir = KALVEN_SHARE_DIR;
        else {  // a help text that is a FIFO is refused at once; the picture's example is not read
            ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
            if (QDir(s.folder.path()).mkpath(QStringLiteral("examples")))
                s.folder.write(QStringLiteral("examples/retaining_wall.klv"), "saved over\r\n");
        }
        s.window.data().Idle = false;
        Shown theory, directory, area, about;
        for (Shown* shown : {&theory, &directory, &area, &about})
            s.dialogs.answerModal(Record(*shown));
        s.window.Theory1Click();
        EXPECT_EQ(s.window.data().HelpTopic, 1);
        s.window.Directory_Content1Click();
        EXPECT_EQ(s.window.data().HelpTopic, 3);
        s.window.Caverns1Click();
        EXPECT_EQ(s.window.data().HelpTopic, 2);
        s.window.About1Click();

        EXPECT_TRUE(s.dialogs.allAnswered());
        EXPECT_EQ(theory.title + area.title + about.title, QStringLiteral(" HELP Help Load area About"));
        EXPECT_EQ(area.picture.size(), QSize(600, 401));
        EXPECT_GT(testing::CountPixels(area.picture, qRgb(255, 0, 0)), 20);  // the resultant
        if (fromShare)
            picture = area.picture;
        else
            EXPECT_EQ(area.picture, picture);
        if (fromShare) {
            EXPECT_TRUE(s.dialogs.messages().empty());
            EXPECT_TRUE(theory.text.startsWith(QStringLiteral("KALVEN - the theory of the computation")));
            EXPECT_TRUE(directory.text.startsWith(QStringLiteral("KALVEN - what the program's folder holds")));
        } else {
            const std::vector<QString> expected = {
                QStringLiteral("Cannot open file ") + s.folder.file(QStringLiteral("force_theory.rtf")),
                QStringLiteral("The file ") + fifo + QStringLiteral(" is not a regular file: nothing was read.")};
            EXPECT_EQ(s.dialogs.messages(), expected);
            EXPECT_EQ(s.dialogs.calls()[0].kind, MessageKind::Error);
            EXPECT_TRUE(theory.text.isEmpty() && directory.text.isEmpty());
        }
    }
}

TEST(HelpWindows, TheViewerClosesOnATypedCharacterButNotOnMovingThroughTheText)
{
    ProjectData data;
    data.StartDir = KALVEN_SHARE_DIR;
    data.HelpTopic = 1;
    FakeUserDialogs dialogs;
    Tunit15_help viewer(data, dialogs);
    EXPECT_TRUE(viewer.RichEdit1->isReadOnly());
    viewer.show();
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Right, Qt::Key_Shift}) {
        QTest::keyClick(viewer.RichEdit1, key);
        EXPECT_TRUE(viewer.isVisible()) << key;
    }
    QTest::keyClick(viewer.RichEdit1, 'q');
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST(HelpWindows, AboutShowsTheLicenceAndClosesOnAClickAnywhereOrATypedCharacter)
{
    Tabout about;
    QFile licence(QStringLiteral(KALVEN_SHARE_DIR "/../LICENSE"));
    ASSERT_TRUE(licence.open(QIODevice::ReadOnly));
    const QString words = QString::fromUtf8(licence.readAll()).simplified();
    EXPECT_EQ(about.Memo1->toPlainText().simplified(), words);
    EXPECT_TRUE(about.Memo1->font().bold());
    EXPECT_EQ(about.Memo1->font().pointSize(), 12);
    EXPECT_EQ(about.Memo2->font().pointSize(), 12);
    EXPECT_TRUE(about.Memo1->isReadOnly());
    EXPECT_EQ(about.Image1->size(), QSize(500, 407));

    for (QWidget* target : {static_cast<QWidget*>(&about), static_cast<QWidget*>(about.Image1),
                            about.Memo1->viewport(), about.Memo2->viewport()}) {
        about.show();
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_FALSE(about.isVisible()) << target->objectName().toStdString();
    }
    about.show();
    QTest::keyClick(about.Memo1, Qt::Key_Down);
    EXPECT_TRUE(about.isVisible());
    QTest::keyClick(about.Memo1, 'x');
    EXPECT_FALSE(about.isVisible());
}

// Pictures of the three windows for the documentation; run by hand with
// KALVEN_SCREENSHOTS=<folder> test_windows --gtest_also_run_disabled_tests --gtest_filter='*Screenshots*'
TEST(HelpWindows, DISABLED_Screenshots)
{
    const QString target = qEnvironmentVariable("KALVEN_SCREENSHOTS");
    if (target.isEmpty())
        GTEST_SKIP() << "KALVEN_SCREENSHOTS names no folder";
    ProjectData data;
    data.StartDir = KALVEN_SHARE_DIR;
    data.HelpTopic = 1;
    FakeUserDialogs dialogs;
    const auto save = [&](QWidget& window, const char* name) {
        window.show();
        QTest::qWait(50);
        EXPECT_TRUE(window.grab().save(QDir(target).filePath(QString::fromLatin1(name))));
    };
    Tunit15_help viewer(data, dialogs);
    save(viewer, "help_viewer.png");
    THelp_Load_area area;
    save(area, "load_area_example.png");
    Tabout about;
    save(about, "about_window.png");
}

}  // namespace
}  // namespace kalven
