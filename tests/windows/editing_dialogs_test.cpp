// The dialogs that edit project data by hand: the data grid, the title and the coordinate correction.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <array>

#include "windows/Unit10_title.h"
#include "windows/Unit12_coor_Teren.h"
#include "windows/unit5_abcKavern.h"
#include "windows/numeric_grid.h"
#include "support/load_area_fixture.h"
#include "support/command_session.h"

namespace kalven {
namespace {

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

TEST(DataGridDialog, FiltersKeysMovesOnEnterAndWritesBackOnOkOnly)
{
    Session s;
    ProjectData& data = s.data;
    data.LoadAreaData[5] = {-4, 12.25, -2.5, "retained soil"};  // as a file may hold them
    data.Computed = true;
    const auto edit = [](Tabc_kavern& d) {
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
        EXPECT_EQ(enterIn(g, 2, 4), std::pair(3, 4));
        EXPECT_EQ(enterIn(g, 4, 4), std::pair(1, 5));
        EXPECT_EQ(enterIn(g, 4, 20), std::pair(1, 1));
    };
    const ProjectData before = data;
    s.inDialog<Tabc_kavern>([&](Tabc_kavern& d) {
        edit(d);
        d.Button2->click();
    });
    s.commands.areaData();
    EXPECT_EQ(data.LoadAreaData, before.LoadAreaData);

    s.inDialog<Tabc_kavern>([&](Tabc_kavern& d) {
        edit(d);
        d.Button1->click();
    });
    EXPECT_FALSE(s.draws(&ProjectCommands::areaData));
    EXPECT_EQ(data.LoadAreaData[1].Alpha, 90.0);
    EXPECT_EQ(data.LoadAreaData[2].Multiplier, 15);
    EXPECT_EQ(data.LoadAreaData[3].Text, "-a, Backfill of gravel, we");
    EXPECT_EQ(data.LoadAreaData[5], before.LoadAreaData[5]);  // untouched: not cut to what the grid shows
    EXPECT_TRUE(data.Computed);
}

TEST(DataGridDialog, TakesWhatWasTypedNoMoreThanFitsAndEveryStoredByte)
{
    Session s;
    ProjectData& data = s.data;
    const char* odd = "\x81\x8D\x8F\x90\x9D bytes unused in 1252";
    data.LoadAreaData[1] = {30, 12.25, 0.125, odd};
    s.inDialog<Tabc_kavern>([](Tabc_kavern& d) {
        NumericGrid& g = *d.StringGrid1;
        type(g, 2, 1, "12.2");  // typed as it is shown: it replaces 12.25
        g.setGridCell(4, 1);    // the text's editor opens and closes again
        type(g, 1, 2, "99999999999");
        EXPECT_EQ(g.cellText(1, 2), QStringLiteral("999999999"));  // a tenth digit would pass 32 bits
        type(g, 1, 3, "2147483647.9");
        QLineEdit* e = g.cellEditor();
        for (const Qt::Key key : {Qt::Key_Left, Qt::Key_Left, Qt::Key_Delete})  // not without the point
            QTest::keyClick(e, key);
        EXPECT_EQ(e->text(), QStringLiteral("2147483647.9"));
        type(g, 1, 4, "5");
        QTest::keyClick(g.cellEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(g.cellEditor(), QStringLiteral("8"));
        d.Button1->click();
    });
    s.commands.areaData();
    EXPECT_EQ(data.LoadAreaData[1], (LoadAreaData{30, 12.2, 0.125, odd}));
    EXPECT_EQ(
        (std::array{data.LoadAreaData[2].Multiplier, data.LoadAreaData[3].Multiplier, data.LoadAreaData[4].Multiplier}),
        (std::array<std::int32_t, 3>{999999999, 2147483647, 8}));

    const ProjectData before = data;
    s.inDialog<Tabc_kavern>([](Tabc_kavern& d) {
        type(*d.StringGrid1, 3, 5, "7");
        QTest::keyClick(d.StringGrid1->cellEditor(), Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    s.commands.areaData();
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
    s.commands.compute();  // only the closing vertex moved
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral(" Non closed loading area No  7 !")});

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

}  // namespace
}  // namespace kalven
