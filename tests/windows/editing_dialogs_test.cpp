// Polygon input and deletion, and the dialogs that edit project data by hand: the length, the
// data grid, the title and the coordinate correction.

#include <QAbstractButton>
#include <QLocale>
#include <array>
#include <clocale>

#include "support/command_session.h"

namespace kalven {
namespace {

using testing::CommandSession;

// The commands with the real dialogs.
struct Session : testing::CommandSession {
    Session() : CommandSession(Editing::Real) {}
};

void type(NumericGrid& grid, int column, int row, const char* keys)
{
    grid.setGridCell(column, row);
    ASSERT_NE(grid.cellEditor(), nullptr);
    QTest::keyClicks(grid.cellEditor(), QString::fromLatin1(keys));
}

// Presses Enter in the cell and returns the cell the cursor moved to.
std::pair<int, int> enterIn(NumericGrid& grid, int column, int row)
{
    grid.setGridCell(column, row);
    QTest::keyClick(grid.cellEditor(), Qt::Key_Return);
    return {grid.gridColumn(), grid.gridRow()};
}

// Every stored byte and value stays as it is unless typed over, and only OK writes back.
TEST(DataGridDialog, FiltersKeysMovesOnEnterTakesNoMoreThanFitsAndWritesBackOnOkOnly)
{
    Session s;
    ProjectData& data = s.data;
    const char* odd = "\x81\x8D\x8F\x90\x9D bytes unused in 1252";
    data.LoadAreaData[5] = {-4, 12.25, -2.5, "retained soil"};  // as a file may hold them
    data.LoadAreaData[6] = {30, 12.25, 0.125, odd};
    data.Computed = true;
    const LoadAreaData fifth = data.LoadAreaData[5];
    s.inDialog<Tabc_kavern>([&](Tabc_kavern& d) {
        NumericGrid& g = *d.StringGrid1;
        const char* shown[2][5] = {{"1", "30", "180.0", "0.00", " "},
                                   {"5", "-4", "12.2", "-2.50", "retained soil"}};  // 12.25: half to even
        for (int c = 0; c < 5; ++c)
            EXPECT_TRUE(g.cellText(c, 1) == QLatin1String(shown[0][c]) &&
                        g.cellText(c, 5) == QLatin1String(shown[1][c]))
                << c;
        type(g, 2, 1, "-,a 90");
        EXPECT_EQ(g.cellText(2, 1), QStringLiteral("90"));
        type(g, 1, 2, "1x5");
        type(g, 4, 3, "-a, Backfill of gravel, wet, 2011.");
        EXPECT_EQ(g.cellText(4, 3), QStringLiteral("-a, Backfill of gravel, wet, 2011."));
        type(g, 2, 6, "12.2");  // typed as it is shown: it replaces 12.25
        g.setGridCell(4, 6);    // the text's editor opens and closes again
        type(g, 1, 7, "99999999999");
        EXPECT_EQ(g.cellText(1, 7), QStringLiteral("999999999"));  // a tenth digit would pass 32 bits
        type(g, 1, 8, "2147483647.9");
        QLineEdit* e = g.cellEditor();
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Delete})  // not without the point
            QTest::keyClick(e, key);
        EXPECT_EQ(e->text(), QStringLiteral("2147483647.9"));
        type(g, 1, 9, "5");
        QTest::keyClick(g.cellEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(g.cellEditor(), QStringLiteral("8"));
        EXPECT_EQ(enterIn(g, 2, 4), std::pair(3, 4));
        EXPECT_EQ(enterIn(g, 4, 4), std::pair(1, 5));
        EXPECT_EQ(enterIn(g, 4, 20), std::pair(1, 1));
        d.Button1->click();
    });
    EXPECT_FALSE(s.draws(&ProjectCommands::areaData));
    EXPECT_EQ(data.LoadAreaData[1].Alpha, 90.0);
    EXPECT_EQ(data.LoadAreaData[2].Multiplier, 15);
    EXPECT_EQ(data.LoadAreaData[3].Text, "-a, Backfill of gravel, we");
    EXPECT_EQ(data.LoadAreaData[5], fifth);  // untouched: not cut to what the grid shows
    EXPECT_EQ(data.LoadAreaData[6], (LoadAreaData{30, 12.2, 0.125, odd}));
    EXPECT_EQ(
        (std::array{data.LoadAreaData[7].Multiplier, data.LoadAreaData[8].Multiplier, data.LoadAreaData[9].Multiplier}),
        (std::array<std::int32_t, 3>{999999999, 2147483647, 8}));
    EXPECT_TRUE(data.Computed);

    const ProjectData before = data;
    for (bool escape : {true, false}) {
        s.inDialog<Tabc_kavern>([escape](Tabc_kavern& d) {
            type(*d.StringGrid1, 3, 5, "7");
            if (escape)
                QTest::keyClick(d.StringGrid1->cellEditor(), Qt::Key_Escape);
            else
                d.Button2->click();
            EXPECT_FALSE(d.isVisible());
        });
        s.commands.areaData();
    }
    EXPECT_EQ(data.LoadAreaData, before.LoadAreaData);
}

TEST(TitleDialog, KeepsFortyCharactersAndRedrawsUnlessTheTitleIsText)
{
    Session s;
    const auto setTitle = [&](const char* title) {
        s.inDialog<Ttitle>([title](Ttitle& d) {
            d.Edit1->setText(QString::fromLatin1(title));
            d.Button1->click();
        });
        return s.draws(&ProjectCommands::title);
    };
    s.data.Computed = true;
    EXPECT_TRUE(setTitle("Quay wall of the eastern basin, section 12 B"));  // 45 characters
    EXPECT_EQ(s.data.Title, "Quay wall of the eastern basin, section ");
    EXPECT_TRUE(s.data.Computed);
    s.inDialog<Ttitle>([](Ttitle& d) {
        EXPECT_EQ(d.Edit1->text(), QStringLiteral("Quay wall of the eastern basin, section "));
        d.Edit1->setText(QStringLiteral("thrown away"));
        d.Button2->click();
    });
    EXPECT_TRUE(s.draws(&ProjectCommands::title));
    EXPECT_EQ(s.data.Title, "Quay wall of the eastern basin, section ");
    EXPECT_FALSE(setTitle("Text"));
    EXPECT_TRUE(setTitle(""));
    EXPECT_EQ(s.data.Title, "");
    s.data.Title = "\x81\x8D\x8F\x90\x9D";  // bytes Windows-1252 leaves unused
    s.inDialog<Ttitle>([](Ttitle& d) { d.Button1->click(); });
    s.commands.title();
    EXPECT_EQ(s.data.Title, "\x81\x8D\x8F\x90\x9D");
}

TEST(CoordinateDialog, ListsEveryStoredVertexAndAlwaysClearsTheResults)
{
    Session s;
    ProjectData& data = s.data;
    testing::SetOutline(data, 7, {{12.5, 3}, {20, 3.0004}, {20, 8.0004}, {12.5, 3}});
    s.window.area = 7;
    data.Computed = true;
    s.inDialog<Tcoor_teren>([](Tcoor_teren& d) {
        NumericGrid& g = *d.StringGrid1;
        EXPECT_EQ(g.cellText(0, 0) + '|' + g.cellText(1, 0) + '|' + g.cellText(2, 0),
                  QStringLiteral(" Load area No  7|    X|    Y"));
        ASSERT_EQ(g.rowCount(), 4);
        EXPECT_EQ(g.cellText(0, 4) + '|' + g.cellText(1, 4) + '|' + g.cellText(2, 4), QStringLiteral("4|12.500|3.000"));
        type(g, 1, 1, "13");
        QTest::keyClick(g.cellEditor(), Qt::Key_Escape);  // as Cancel
    });
    EXPECT_TRUE(s.draws(&ProjectCommands::correction));
    EXPECT_EQ(data.VertexX[1][7], 12.5);
    EXPECT_FALSE(data.Computed);

    data.Computed = true;
    s.inDialog<Tcoor_teren>([](Tcoor_teren& d) {
        type(*d.StringGrid1, 2, 2, "3.000");  // typed as shown: replaces 3.0004
        type(*d.StringGrid1, 2, 4, "a-4.25");
        EXPECT_EQ(enterIn(*d.StringGrid1, 2, 4), std::pair(1, 1));
        d.Button1->click();
    });
    EXPECT_TRUE(s.draws(&ProjectCommands::correction));
    EXPECT_TRUE(data.VertexY[4][7] == 4.25 && data.VertexX[4][7] == 12.5 && data.VertexCount[7] == 4);
    EXPECT_EQ(data.VertexY[2][7], 3.0);
    EXPECT_EQ(data.VertexY[3][7], 8.0004);  // shown as 8.000, untouched
    EXPECT_FALSE(data.Computed);

    // An area not in use opens nothing; one in use without vertices opens an empty grid.
    s.window.area = 8;
    s.dialogs.clearCalls();
    s.commands.correction();
    EXPECT_TRUE(s.dialogs.calls().empty());
    data.AreaUsed[8] = true;
    s.inDialog<Tcoor_teren>([](Tcoor_teren& d) {
        EXPECT_EQ(d.StringGrid1->rowCount(), 0);
        d.StringGrid1->moveToNextCell();
        d.Button1->click();
    });
    s.commands.correction();
    EXPECT_EQ(data.CorrectionArea, 8);
}

TEST(PolygonInputCommands, ArmClickEndReleaseAndDelete)
{
    CommandSession s;
    s.window.area = 3;
    s.commands.armArea();
    EXPECT_TRUE(s.window.areaButtonDown && !s.data.Idle);
    s.commands.deleteArea();  // refused while armed, but its button comes up
    EXPECT_TRUE(s.data.AreaUsed[3] && !s.window.deleteButtonDown);
    s.commands.mouseMove(100, 300);
    EXPECT_EQ(s.panels.texts[1], "    Load area No. 3");         // the chosen number reaches the input
    EXPECT_EQ(s.panels.texts[0], "    X = 4.15      Y = 5.15");  // on the drawing of the window's size
    s.commands.mouseDown(MouseButton::Left, 100, 300);
    s.commands.mouseDown(MouseButton::Left, 200, 300);
    s.commands.mouseDown(MouseButton::Right, 150, 200);
    EXPECT_TRUE(s.data.Idle && s.data.VertexCount[3] == 3);
    // The arming button stays down until the mouse passes over the window beside the image.
    s.commands.mouseMove(150, 210);
    EXPECT_TRUE(s.window.areaButtonDown);
    s.commands.mouseOverWindow();
    EXPECT_FALSE(s.window.areaButtonDown);
    // A used area is not armed again, nor another while one is armed: the button only comes up.
    s.window.areaButtonDown = true;
    s.commands.armArea();
    EXPECT_FALSE(s.window.areaButtonDown || !s.data.Idle);
    s.window.area = 4;
    s.commands.armArea();
    s.window.area = 5;
    s.window.areaButtonDown = true;
    s.commands.armArea();
    EXPECT_FALSE(s.window.areaButtonDown || s.data.AreaUsed[5]);

    s.data.Idle = true;
    s.window.area = 3;
    s.window.deleteButtonDown = true;
    EXPECT_TRUE(s.draws(&ProjectCommands::deleteArea));
    EXPECT_FALSE(s.data.AreaUsed[3] || s.window.deleteButtonDown);
    EXPECT_FALSE(s.draws(&ProjectCommands::deleteArea));
    EXPECT_TRUE(s.quiet());
}

// The real length dialog, opened by the command on a project with one area and a title, computed,
// on a screen that allows lengths below 581 m; a length change of an earlier dialog counts not.
struct LengthSession : CommandSession {
    LengthSession() : CommandSession(Editing::Real)
    {
        data.MaxAreaLength = 581;
        testing::SetOutline(data, 1, {{1, 1}, {4, 1}, {2, 3}, {1, 1}});
        data.Title = "Abutment";
        data.Computed = true;
        data.LengthChanged = true;
    }
    void open(std::function<void(TForm1_dlzka&)> fill)
    {
        inDialog<TForm1_dlzka>(std::move(fill));
        commands.length();
    }
    bool kept() const { return data.AreaUsed[1] && data.Title == "Abutment" && data.Computed; }
};

// Only OK keeps a length change: closing with the title-bar button after touching the length used
// to reset the whole project. Any touch of the length starts anew, even back to the old one; the
// bound is refused with the dialog kept open and nothing stored, not even the rounding.
TEST(LengthDialog, OnlyOkWithATouchedLengthBelowTheBoundStartsAnewTheRoundingAloneIsKept)
{
    const struct {
        std::function<void(TForm1_dlzka&, LengthSession&)> act;
        bool anew;
        int length;
        int rounding;
    } cases[] = {
        {[](TForm1_dlzka& d, LengthSession&) { d.RadioGroup1->item(0)->click(), d.BitBtn1->click(); }, false, 25, 0},
        {[](TForm1_dlzka& d, LengthSession&) {
             d.SpinEdit1->setValue(30), d.SpinEdit1->setValue(25), d.BitBtn1->click();
         },
         true, 25, 1},
        {[](TForm1_dlzka& d, LengthSession&) {
             QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
             QTest::keyClick(d.SpinEdit1, Qt::Key_Backspace);
             d.BitBtn1->click();  // an empty text reads as the least length
         },
         true, 5, 1},
        {[](TForm1_dlzka& d, LengthSession&) { d.SpinEdit1->setValue(300), d.BitBtn2->click(); }, false, 25, 1},
        {[](TForm1_dlzka& d, LengthSession&) { d.SpinEdit1->setValue(300), d.close(); }, false, 25, 1},
        {[](TForm1_dlzka& d, LengthSession&) { d.SpinEdit1->setValue(300), QTest::keyClick(&d, Qt::Key_Escape); },
         false, 25, 1},
        {[](TForm1_dlzka& d, LengthSession& w) {
             d.SpinEdit1->setValue(581);
             d.RadioGroup1->setItemIndex(0);
             d.BitBtn1->click();
             EXPECT_EQ(d.result(), 0);  // still open
             EXPECT_EQ(w.dialogs.messages(), std::vector<QString>{QStringLiteral("Length must be < 581")});
             EXPECT_EQ(w.dialogs.calls().back().kind, MessageKind::Plain);
             EXPECT_TRUE(w.kept() && w.data.AreaLength == 25 && w.data.Rounding == 1);
             d.SpinEdit1->setValue(580);
             d.BitBtn1->click();
         },
         true, 580, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        LengthSession w;
        w.open([&](TForm1_dlzka& d) {
            EXPECT_TRUE(d.SpinEdit1->value() == 25 && d.RadioGroup1->itemIndex() == 1);
            c.act(d, w);
        });
        EXPECT_EQ(w.kept(), !c.anew);
        EXPECT_EQ(w.data.AreaLength, c.length);
        EXPECT_EQ(w.data.Rounding, c.rounding);
        EXPECT_EQ(w.panels.texts[2].ends_with(" " + std::to_string(c.length) + " m"), c.anew);
        EXPECT_EQ(w.panels.texts[1] + w.panels.texts[3], "");
        EXPECT_EQ(w.dialogs.messages().size(), c.length == 580 ? 1u : 0u);
    }
}

// Under Arabic and Persian the box shows and takes the digits of their scripts ("٣٠٠"); read as
// ASCII text they gave the least length and reset the project.
TEST(LengthDialog, TakesALengthTypedInTheDigitsOfTheUsersLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const QLocale before;
    for (const char* name : {"ar_EG.UTF-8", "fa_IR.UTF-8"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(std::setlocale(LC_ALL, name), nullptr) << "the set-up generates this locale";
        QLocale::setDefault(QLocale(QString::fromLatin1(name).section(QLatin1Char('.'), 0, 0)));
        LengthSession w;
        w.open([](TForm1_dlzka& d) {
            EXPECT_NE(d.SpinEdit1->text(), QStringLiteral("25"));
            QTest::keyClick(d.SpinEdit1, Qt::Key_A, Qt::ControlModifier);
            for (QChar digit : QLocale().toString(300))
                QTest::sendKeyEvent(QTest::Click, d.SpinEdit1, Qt::Key_unknown, QString(digit), Qt::NoModifier);
            d.BitBtn1->click();
        });
        EXPECT_EQ(w.data.AreaLength, 300);
    }
    QLocale::setDefault(before);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace kalven
