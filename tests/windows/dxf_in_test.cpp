// "&Dxf In": the file dialog, the import dialog with its layers, unit and preview, and the summary.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <sys/stat.h>

#include "core/dxf_import.h"
#include "windows/drawing_image.h"
#include "windows/dxf_import_dialog.h"
#include "support/image_checks.h"
#include "support/load_area_fixture.h"
#include "support/command_session.h"

namespace kalven {
namespace {

// The commands with the real dialogs.
struct Session : testing::CommandSession {
    Session() : CommandSession(Editing::Real) {}
};

QString Fixture(const char* name)
{
    return QStringLiteral(KALVEN_TEST_DATA "/") + QLatin1String(name);
}

// The layer rows as shown; every layer starts checked.
std::vector<QString> LayerTexts(const Tdxf_import& dialog)
{
    std::vector<QString> texts;
    for (int row = 0; row < dialog.CheckListBox1->count(); ++row) {
        EXPECT_EQ(dialog.CheckListBox1->item(row)->checkState(), Qt::Checked);
        texts.push_back(dialog.CheckListBox1->item(row)->text());
    }
    return texts;
}

TEST(DxfIn, ImportsTheRetainingWallAsTheSameAreasTypedByHand)
{
    Session s;
    ProjectData& imported = s.data;
    imported.Computed = true;
    s.dialogs.answerFile(Fixture("retaining_wall_mm_r12.dxf"));
    s.inDialog<Tdxf_import>([](Tdxf_import& dialog) {
        EXPECT_EQ(LayerTexts(dialog), (std::vector<QString>{QStringLiteral("WALL  (2 outlines)"),
                                                            QStringLiteral("BACKFILL  (1 outline)")}));
        EXPECT_TRUE(dialog.RadioButton_m->isChecked());  // R12 names no unit
        EXPECT_FALSE(dialog.CheckBox1->isChecked());
        const QRgb loadArea = qRgb(0, 0, 0xA0);
        // In metres the wall lies kilometres off the area; in millimetres it is on it.
        EXPECT_EQ(testing::CountPixels(dialog.Image1->image(), loadArea), 0);
        dialog.RadioButton_mm->click();
        EXPECT_GT(testing::CountPixels(dialog.Image1->image(), loadArea), 100);
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports 3 outlines as load areas 1, 2, 3."));
        dialog.Button1->click();
    });
    EXPECT_TRUE(s.draws(&ProjectCommands::dxfIn));
    ASSERT_EQ(s.dialogs.calls().size(), 4u);
    EXPECT_EQ(s.window.shownAfter, std::vector<std::size_t>{3});  // the areas are shown under the summary
    EXPECT_EQ(s.dialogs.calls()[1].what, QStringLiteral("progress"));
    const FileDialogOptions& o = s.dialogs.calls()[0].options;
    EXPECT_EQ(o.title + o.defaultSuffix + o.directory + o.filterPattern, "Dxf Indxfexamples*.dxf");
    EXPECT_EQ(testing::ShownFileType(o), QStringLiteral("Dxf file (*.dxf)"));
    EXPECT_FALSE(o.confirmOverwrite);
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral("3 outlines imported as load areas 1, 2, 3.")});
    EXPECT_EQ(s.dialogs.calls()[2].kind, MessageKind::Plain);
    EXPECT_FALSE(imported.Computed);
    ProjectData typed;
    ProjectReset(typed);
    testing::SetOutline(
        typed, 1,
        {{4.0, 1.5}, {7.0, 1.5}, {7.0, 2.0}, {5.4, 2.0}, {5.25, 6.0}, {4.85, 6.0}, {4.8, 2.0}, {4.0, 2.0}, {4.0, 1.5}});
    testing::SetOutline(typed, 2, {{5.4, 2.0}, {7.0, 2.0}, {7.0, 6.0}, {5.25, 6.0}, {5.4, 2.0}});
    testing::SetOutline(typed, 3, {{5.8, 1.1}, {6.2, 1.1}, {6.2, 1.5}, {5.8, 1.5}, {5.8, 1.1}});
    EXPECT_TRUE(SameProjectContent(imported, typed));
}

TEST(DxfIn, ChosenLayersDecideWhatIsImportedAndSummedUp)
{
    Session s;
    testing::SetOutline(s.data, 1, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
    s.dialogs.answerFile(Fixture("open_polyline_and_bulge_2000.dxf"));
    s.inDialog<Tdxf_import>([](Tdxf_import& dialog) {
        EXPECT_EQ(LayerTexts(dialog), (std::vector<QString>{QStringLiteral("SECTION  (4 outlines)"),
                                                            QStringLiteral("NOTES  (1 outline)")}));
        EXPECT_TRUE(dialog.RadioButton_m->isChecked());  // $INSUNITS 6
        dialog.CheckListBox1->item(1)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports 3 outlines as load areas 2, 3, 4."));
        dialog.Button1->click();
    });
    s.commands.dxfIn();
    ASSERT_EQ(s.dialogs.messages().size(), 1u);  // the rest of the summary as the import's own tests pin it
    EXPECT_TRUE(s.dialogs.messages()[0].startsWith(
        QStringLiteral("3 outlines imported as load areas 2, 3, 4.\nArcs replaced by their chords in load area 2.\n")));
    EXPECT_EQ(s.data.VertexCount[3], 41);
    EXPECT_FALSE(s.data.AreaUsed[5]);
}

TEST(DxfIn, ARefusedOrFailedImportChangesNothing)
{
    Session s;
    s.folder.write(QStringLiteral("lines_only.dxf"),
                   "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nA\n10\n0\n20\n0\n11\n1\n21\n1\n"
                   "0\nENDSEC\n0\nEOF\n");
    s.folder.write(QStringLiteral("nan.dxf"),
                   "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n5\n2F\n8\nA\n90\n3\n70\n1\n10\n0\n"
                   "20\nnan\n10\n1\n20\n0\n10\n1\n20\n1\n0\nENDSEC\n0\nEOF\n");
    // Refused by its size alone: the file is never read.
    QFile big(s.folder.file(QStringLiteral("big.dxf")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(kMaxDxfFileBytes + 1));
    big.close();
    const QString fifo = s.folder.file(QStringLiteral("fifo.dxf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    testing::SetOutline(s.data, 2, {{1, 1}, {2, 1}, {1, 1}});
    s.data.Computed = true;
    const ProjectData before = s.data;
    enum class Then { Nothing, UncheckAllAndOk, Cancel, CancelReading };
    const struct {
        std::optional<QString> file;
        Then then;
        QString message;
    } cases[] = {
        {Fixture("truncated_r12.dxf"), Then::Nothing, kMsgDxfDamaged},
        {s.folder.file(QStringLiteral("no_such.dxf")), Then::Nothing, "File input error !!!"},
        {s.folder.file(QStringLiteral("lines_only.dxf")), Then::Nothing, kMsgDxfNoOutline},
        {s.folder.file(QStringLiteral("nan.dxf")), Then::Nothing,
         QString::fromLatin1(kMsgDxfNoOutline) +
             "\nLWPOLYLINE on layer A, handle 2F, line 5: group 20 holds \"nan\", not a finite number - not imported."},
        {fifo, Then::Nothing, "The file " + fifo + " is not a regular file: nothing was read."},
        {s.folder.file(QStringLiteral("big.dxf")), Then::Nothing,
         QString::fromLatin1(kMsgDxfTooLarge).arg(s.folder.file(QStringLiteral("big.dxf")))},
        {Fixture("retaining_wall_mm_2000.dxf"), Then::UncheckAllAndOk, kMsgDxfNoOutlineChosen},
        {Fixture("retaining_wall_mm_2000.dxf"), Then::Cancel, QString()},
        {Fixture("retaining_wall_mm_2000.dxf"), Then::CancelReading, QString()},
        {std::nullopt, Then::Nothing, QString()},  // no file chosen
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.value_or(QStringLiteral("none")).toStdString());
        s.dialogs.clearCalls();
        s.dialogs.answerFile(c.file);
        if (c.then == Then::CancelReading)
            s.dialogs.cancelProgressAt(0);
        const bool dialog = c.then == Then::UncheckAllAndOk || c.then == Then::Cancel;
        if (dialog) {
            s.inDialog<Tdxf_import>([&c](Tdxf_import& dialog) {
                if (c.then == Then::Cancel) {
                    dialog.Button2->click();
                    return;
                }
                for (int row = 0; row < dialog.CheckListBox1->count(); ++row)
                    dialog.CheckListBox1->item(row)->setCheckState(Qt::Unchecked);
                EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports no outline."));
                dialog.Button1->click();
            });
        }
        EXPECT_FALSE(s.draws(&ProjectCommands::dxfIn));
        EXPECT_EQ(s.dialogs.messages(), c.message.isNull() ? std::vector<QString>{} : std::vector<QString>{c.message});
        // The file dialog, the reading's progress, the import dialog, the message.
        EXPECT_EQ(s.dialogs.calls().size(), 1u + c.file.has_value() + dialog + !c.message.isNull());
        EXPECT_TRUE(SameProjectContent(s.data, before));
        EXPECT_TRUE(s.data.Computed);
        EXPECT_TRUE(s.dialogs.allAnswered());
    }
}

}  // namespace
}  // namespace kalven
