// The help viewer, the load-area picture and the about window.
#include <gtest/gtest.h>

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

// The help texts come from the start directory: started elsewhere (the directory text a FIFO,
// refused at once) both fail and open empty, while the picture, drawn from the example it holds,
// and the about window still open. All of them open during polygon input.
TEST(HelpWindows, AllOpenWhileAPolygonInputIsArmedAndTheTextsFailFromAnotherFolder)
{
    testing::StartedWindow s;
    const QString fifo = s.folder.file(QStringLiteral("directory_content.rtf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    s.window.data().Idle = false;
    std::vector<QString> shown;  // the viewer's text or the window's class, window by window
    std::vector<int> topics;
    QImage picture;
    for (int i = 0; i < 4; ++i)
        s.dialogs.answerModal([&](QDialog& d) {
            auto* help = dynamic_cast<Tunit15_help*>(&d);
            shown.push_back(help ? help->RichEdit1->toPlainText() : d.metaObject()->className());
            if (auto* area = dynamic_cast<THelp_Load_area*>(&d))
                picture = area->picture();
            topics.push_back(s.window.data().HelpTopic);
            return false;
        });
    for (auto command :
         {&Tvstupy::Theory1Click, &Tvstupy::Directory_Content1Click, &Tvstupy::Caverns1Click, &Tvstupy::About1Click})
        (s.window.*command)();
    EXPECT_EQ(topics, (std::vector<int>{1, 3, 2, 2}));
    EXPECT_EQ(shown, (std::vector<QString>{"", "", "kalven::THelp_Load_area", "kalven::Tabout"}));
    EXPECT_EQ(s.dialogs.messages(),
              (std::vector<QString>{"Cannot open file " + s.folder.file(QStringLiteral("force_theory.rtf")),
                                    "The file " + fifo + " is not a regular file: nothing was read."}));
    EXPECT_EQ(s.dialogs.calls()[0].kind, MessageKind::Error);
    EXPECT_EQ(picture.size(), QSize(600, 401));
    EXPECT_GT(testing::CountPixels(picture, qRgb(255, 0, 0)), 20);  // the resultant
}

TEST(HelpWindows, TheViewerAndAboutCloseOnATypedCharacterButNotOnMovingThroughTheText)
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
}

TEST(HelpWindows, AboutShowsTheLicenceAndClosesOnAClickAnywhere)
{
    Tabout about;
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
