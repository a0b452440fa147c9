#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "core/dxf_import.h"
#include "core/windows/dxf_import_dialog.h"
#include "core/windows/vstup1_wall.h"
#include "platform/drawing_image.h"
#include "support/fake_user_dialogs.h"
#include "support/working_folder.h"

namespace kalven {
namespace {

using testing::FakeUserDialogs;
using testing::WorkingFolder;

QString Fixture(const char* name)
{
    return QStringLiteral(KALVEN_TEST_DATA "/") + QLatin1String(name);
}

int PixelsOf(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

std::vector<QString> LayerTexts(const Tdxf_import& dialog)
{
    std::vector<QString> texts;
    for (int row = 0; row < dialog.CheckListBox1->count(); ++row) {
        EXPECT_EQ(dialog.CheckListBox1->item(row)->checkState(), Qt::Checked);
        texts.push_back(dialog.CheckListBox1->item(row)->text());
    }
    return texts;
}

TEST(DxfIn, ImportsTheRetainingWallAndComputesItAsTheSameAreasTypedByHand)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy imported(dialogs);
    ASSERT_TRUE(imported.FormCreate());
    imported.data().Computed = true;
    dialogs.answerFile(Fixture("retaining_wall_mm_r12.dxf"));
    dialogs.answerModal([](QDialog& d) {
        auto& dialog = dynamic_cast<Tdxf_import&>(d);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Dxf In"));
        EXPECT_EQ(LayerTexts(dialog),
                  (std::vector<QString>{QStringLiteral("WALL  (2 outlines)"), QStringLiteral("BACKFILL  (1 outline)")}));
        EXPECT_TRUE(dialog.RadioButton_m->isChecked());  // R12 names no unit
        EXPECT_FALSE(dialog.CheckBox1->isChecked());
        const QRgb loadArea = qRgb(0, 0, 0xA0);
        // In metres the wall lies kilometres off the area; in millimetres it is on it.
        EXPECT_EQ(PixelsOf(dialog.Image1->image(), loadArea), 0);
        dialog.RadioButton_mm->click();
        EXPECT_GT(PixelsOf(dialog.Image1->image(), loadArea), 100);
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports 3 outlines as load areas 1, 2, 3."));
        dialog.Button1->click();
        return dialog.result() == QDialog::Accepted;
    });
    imported.DxfIn1->trigger();
    ASSERT_EQ(dialogs.calls().size(), 3u);
    EXPECT_EQ(dialogs.calls()[0].options.title, QStringLiteral("Dxf In"));
    EXPECT_EQ(dialogs.calls()[0].options.filter, QStringLiteral("Dxf file (*.dxf)"));
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral("3 outlines imported as load areas 1, 2, 3.")});
    EXPECT_EQ(dialogs.calls()[2].kind, MessageKind::Plain);
    EXPECT_FALSE(imported.data().Computed);
    EXPECT_EQ(imported.data().VertexCount[1], 9);
    imported.Button1Click();
    ASSERT_TRUE(imported.data().Computed);

    Tvstupy typed(dialogs);
    ASSERT_TRUE(typed.FormCreate());
    const std::vector<std::vector<std::pair<double, double>>> areas = {
        {{4.0, 1.5}, {7.0, 1.5}, {7.0, 2.0}, {5.4, 2.0}, {5.25, 6.0}, {4.85, 6.0}, {4.8, 2.0}, {4.0, 2.0}, {4.0, 1.5}},
        {{5.4, 2.0}, {7.0, 2.0}, {7.0, 6.0}, {5.25, 6.0}, {5.4, 2.0}},
        {{5.8, 1.1}, {6.2, 1.1}, {6.2, 1.5}, {5.8, 1.5}, {5.8, 1.1}}};
    for (int a = 1; a <= 3; ++a) {
        ProjectData& data = typed.data();
        data.AreaUsed[a] = true;
        data.VertexCount[a] = static_cast<std::uint8_t>(areas[a - 1].size());
        for (std::size_t v = 0; v < areas[a - 1].size(); ++v) {
            data.VertexX[static_cast<int>(v) + 1][a] = areas[a - 1][v].first;
            data.VertexY[static_cast<int>(v) + 1][a] = areas[a - 1][v].second;
        }
    }
    EXPECT_TRUE(SameProjectContent(imported.data(), typed.data()));
    typed.Button1Click();
    const ProjectData& i = imported.data();
    const ProjectData& t = typed.data();
    EXPECT_GT(i.ResultantForce, 0.0);
    EXPECT_EQ(i.ResultantForce, t.ResultantForce);
    EXPECT_EQ(i.ResultantAngle, t.ResultantAngle);
    EXPECT_EQ(i.ResultantXc, t.ResultantXc);
    EXPECT_EQ(i.ResultantYc, t.ResultantYc);
    EXPECT_EQ(i.LineX0, t.LineX0);
    EXPECT_EQ(dialogs.messages().size(), 1u);  // the resultant lies on the area
}

TEST(DxfIn, ChosenLayersDecideWhatIsImportedAndSummedUp)
{
    WorkingFolder folder;
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    window.data().AreaUsed[1] = true;
    window.data().VertexCount[1] = 5;
    dialogs.answerFile(Fixture("open_polyline_and_bulge_2000.dxf"));
    dialogs.answerModal([](QDialog& d) {
        auto& dialog = dynamic_cast<Tdxf_import&>(d);
        EXPECT_EQ(LayerTexts(dialog),
                  (std::vector<QString>{QStringLiteral("SECTION  (4 outlines)"), QStringLiteral("NOTES  (1 outline)")}));
        EXPECT_TRUE(dialog.RadioButton_m->isChecked());  // $INSUNITS 6
        dialog.CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports 3 outlines as load areas 2, 3, 4."));
        dialog.Button1->click();
        return true;
    });
    window.DxfIn1Click();
    EXPECT_EQ(dialogs.messages(), std::vector<QString>{QStringLiteral(
                                      "3 outlines imported as load areas 2, 3, 4.\n"
                                      "Arcs replaced by their chords in load area 2.\n"
                                      "Outline 2 on layer SECTION: 45 corners, more than 40 - not imported.\n"
                                      "Skipped:\n   1 open polyline\n   2 lines\n   1 circle\n   1 arc\n"
                                      "   1 spline\n   1 block insert")});
    EXPECT_EQ(window.data().VertexCount[3], 41);
    EXPECT_FALSE(window.data().AreaUsed[5]);
}

TEST(DxfIn, ARefusedOrFailedImportChangesNothing)
{
    WorkingFolder folder;
    folder.write(QStringLiteral("lines_only.dxf"), "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nA\n10\n0\n20\n0\n11\n1\n21\n1\n"
                                                   "0\nENDSEC\n0\nEOF\n");
    FakeUserDialogs dialogs;
    Tvstupy window(dialogs);
    ASSERT_TRUE(window.FormCreate());
    window.data().AreaUsed[2] = true;
    window.data().VertexCount[2] = 3;
    window.data().Computed = true;
    const ProjectData before = window.data();
    const auto uncheckAllAndOk = [](QDialog& d) {
        auto& dialog = dynamic_cast<Tdxf_import&>(d);
        for (int row = 0; row < dialog.CheckListBox1->count(); ++row)
            dialog.CheckListBox1->item(row)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports no outline."));
        dialog.Button1->click();
        return true;
    };
    const auto cancel = [](QDialog& d) {
        dynamic_cast<Tdxf_import&>(d).Button2->click();
        return false;
    };
    const struct {
        QString file;
        std::function<bool(QDialog&)> dialog;
        const char* message;
    } cases[] = {
        {Fixture("truncated_r12.dxf"), nullptr, kMsgDxfDamaged},
        {Fixture("truncated_2000.dxf"), nullptr, kMsgDxfDamaged},
        {folder.file(QStringLiteral("no_such.dxf")), nullptr, "File input error !!!"},
        {folder.file(QStringLiteral("lines_only.dxf")), nullptr, kMsgDxfNoOutline},
        {Fixture("retaining_wall_mm_2000.dxf"), uncheckAllAndOk, kMsgDxfNoOutlineChosen},
        {Fixture("retaining_wall_mm_2000.dxf"), cancel, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        dialogs.clearCalls();
        dialogs.answerFile(c.file);
        if (c.dialog)
            dialogs.answerModal(c.dialog);
        window.DxfIn1Click();
        EXPECT_EQ(dialogs.messages(), c.message ? std::vector<QString>{QString::fromLatin1(c.message)}
                                                : std::vector<QString>{});
        EXPECT_TRUE(SameProjectContent(window.data(), before));
        EXPECT_TRUE(window.data().Computed);
        EXPECT_TRUE(dialogs.allAnswered());
    }

    // No file chosen, or a polygon being drawn: nothing happens.
    dialogs.clearCalls();
    dialogs.answerFile(std::nullopt);
    window.DxfIn1Click();
    EXPECT_EQ(dialogs.calls().size(), 1u);
    window.data().Idle = false;
    window.DxfIn1Click();
    EXPECT_EQ(dialogs.calls().size(), 1u);
    EXPECT_TRUE(SameProjectContent(window.data(), before));
}

}  // namespace
}  // namespace kalven
