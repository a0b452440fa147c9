// Save, Open and Dxf In, and the save question of New, Open, End and the close request.

#include <csignal>
#include <sys/resource.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include "core/project_file.h"
#include "support/command_session.h"
#include "core/dxf_import.h"

namespace kalven {
namespace {

using testing::CommandSession;

// The commands with the real dialogs.
struct Session : testing::CommandSession {
    Session() : CommandSession(Editing::Real) {}
};

QString Fixture(const char* name)
{
    return QStringLiteral(KALVEN_TEST_DATA "/") + QLatin1String(name);
}

// A file dialog as the person sees it.
QString Shown(const FileDialogOptions& o)
{
    return o.title + '|' + testing::ShownFileType(o) + '|' + o.filterPattern + '|' + o.defaultSuffix + '|' +
           o.directory + (o.confirmOverwrite ? "|asks before replacing" : "");
}

TEST(ProjectFileCommands, SaveThenOpenRestoresTheProjectUnderItsPath)
{
    CommandSession s;
    testing::SetTwoAreaExample(s.data);
    s.data.Title = "Quay wall";
    s.data.LoadAreaData[2].Text = "gravel 30\xB0";
    const ProjectData saved = s.data;
    const QString path = s.folder.file(QStringLiteral("quay.klv"));
    s.dialogs.answerFile(path);
    s.commands.save();
    EXPECT_EQ(Shown(s.dialogs.calls().at(0).options),
              "Save File|Kalven File *.klv|*.klv|klv|examples|asks before replacing");
    EXPECT_EQ(s.window.caption, path);
    EXPECT_EQ(s.folder.read(QStringLiteral("quay.klv")), FormatProjectFile(saved));

    ProjectReset(s.data);
    s.data.Rounding = 0;
    s.data.Computed = true;
    s.window.caption.clear();
    s.dialogs.answerNo();
    s.dialogs.answerFile(path);
    EXPECT_TRUE(s.draws(&ProjectCommands::open));
    EXPECT_EQ(Shown(s.dialogs.calls().at(2).options), "Open File|Kalven file (*.klv)|*.klv|klv|examples");
    EXPECT_TRUE(SameProjectContent(s.data, saved) && s.data.Rounding == 1 && !s.data.Computed);
    EXPECT_EQ(s.window.caption, path);
    EXPECT_TRUE(s.dialogs.messages().empty() && s.window.shownAfter.empty());
}

// A damaged, missing or odd file leaves project, caption and drawing as they were; a file cut off
// early loads with its missing values as 0 and says so over the drawn project.
TEST(ProjectFileCommands, OpenRefusesWhatIsNoWholeProject)
{
    CommandSession s;
    const QString fifo = s.folder.file(QStringLiteral("fifo.klv"));
    const QString padded = s.folder.file(QStringLiteral("padded.klv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // read to its end, it would hang
    s.folder.write(QStringLiteral("padded.klv"), FormatProjectFile(s.data) + std::string(kProjectFileLimit, '\n'));
    const QString data = QStringLiteral(KALVEN_TEST_DATA "/");
    const struct {
        QString file;
        QString message;
        MessageKind kind;
    } cases[] = {
        {data + "malformed_number.klv", "Invalid numeric input in line 56: \"3O\"", MessageKind::Error},
        {data + "no_such_file.klv", "File input error !!!", MessageKind::Plain},
        {fifo, "The file " + fifo + " is not a regular file: nothing was read.", MessageKind::Error},
        {padded, "The file " + padded + " is larger than 1048576 bytes: nothing was read.", MessageKind::Error},
        {data + "file_ending_early.klv", kMsgFileEndsEarly, MessageKind::Warning},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        CommandSession s;
        testing::SetTwoAreaExample(s.data);
        s.data.Computed = true;
        const ProjectData before = s.data;
        s.dialogs.answerNo();
        s.dialogs.answerFile(c.file);
        const bool loads = c.kind == MessageKind::Warning;
        EXPECT_EQ(s.draws(&ProjectCommands::open), loads);
        EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{c.message});
        EXPECT_EQ(s.dialogs.calls().back().kind, c.kind);
        EXPECT_EQ(SameProjectContent(s.data, before) && s.data.Computed, !loads);
        EXPECT_EQ(s.window.caption, loads ? c.file : QString());
        EXPECT_EQ(s.window.shownAfter, loads ? std::vector<std::size_t>{2} : std::vector<std::size_t>{});
    }
}

TEST(ProjectFileCommands, FailedSaveKeepsTheEarlierFileAndTheCaption)
{
    CommandSession s;
    s.folder.write(QStringLiteral("wall.klv"), "earlier project\r\n");
    // Only regular files are replaced: not a folder, a pipe, a device, nor what a link points at.
    const std::string nodes = s.folder.file(QStringLiteral("nodes")).toStdString();
    std::vector<std::string> refused = {s.folder.file(QStringLiteral("gone/wall.klv")).toStdString(),
                                        s.folder.path().toStdString(), nodes + "/pipe.klv", nodes + "/to_pipe.klv"};
    ASSERT_EQ(mkdir(nodes.c_str(), 0777), 0);
    ASSERT_EQ(mkfifo(refused[2].c_str(), 0666), 0);
    ASSERT_EQ(symlink("pipe.klv", refused[3].c_str()), 0);
    if (geteuid() == 0) {  // a copy of /dev/full
        refused.insert(refused.end(), {nodes + "/full.klv", nodes + "/to_full.klv"});
        ASSERT_EQ(mknod(refused[4].c_str(), S_IFCHR | 0666, makedev(1, 7)), 0);
        ASSERT_EQ(symlink("full.klv", refused[5].c_str()), 0);
    }
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        struct stat before {
        }, after{};
        lstat(path.c_str(), &before);
        s.dialogs.clearCalls();
        s.dialogs.answerFile(QString::fromStdString(path));
        s.commands.save();
        EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral("File output error !!!")});
        EXPECT_EQ(s.dialogs.calls().back().kind, MessageKind::Plain);
        lstat(path.c_str(), &after);
        EXPECT_TRUE(before.st_mode == after.st_mode && before.st_ino == after.st_ino);
    }
    // A write that fails half-way as on a full disk (root ignores chmod, not a file size limit),
    // also under the save question of New, which then stops.
    s.dialogs.clearCalls();
    s.data.Title = "Unsaved";
    s.dialogs.answerFile(s.folder.file(QStringLiteral("wall.klv")));
    s.dialogs.answerYes();
    s.dialogs.answerFile(s.folder.file(QStringLiteral("wall.klv")));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit full{256, saved.rlim_max};
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    s.commands.save();
    s.commands.newProject();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(s.data.Title, "Unsaved");
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>(2, QString::fromLatin1(kMsgFileWriteFailed)));
    EXPECT_EQ(s.dialogs.calls().back().kind, MessageKind::Error);
    EXPECT_EQ(s.folder.read(QStringLiteral("wall.klv")), "earlier project\r\n");
    EXPECT_EQ(QDir(s.folder.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("kalven1.cfg"), QStringLiteral("wall.klv")}));  // nothing half-written
    EXPECT_TRUE(s.window.caption.isEmpty());
}

// New, Open, End and the close request ask "Save current file ?" (End and close after "End. Are you
// sure ?"). No or a cancelled save dialog goes on; a save that fails stops the command, so the
// project is not thrown away unsaved. Closing while a polygon is entered asks the same, and a Yes
// saves the project as it stands.
TEST(SaveQuestion, EveryCommandThatThrowsTheProjectAwayAsksAndAFailedSaveStopsIt)
{
    enum class Answer { No, Cancelled, Saved, Failed };
    const struct {
        void (ProjectCommands::*command)();  // nothing: the close request
        bool idle;
    } commands[] = {{&ProjectCommands::newProject, true},
                    {&ProjectCommands::open, true},
                    {&ProjectCommands::end, true},
                    {nullptr, true},
                    {nullptr, false}};
    for (const auto& c : commands) {
        for (Answer answer : {Answer::No, Answer::Cancelled, Answer::Saved, Answer::Failed}) {
            SCOPED_TRACE(std::to_string(&c - commands) + " answer " + std::to_string(static_cast<int>(answer)));
            CommandSession s;
            testing::SetTwoAreaExample(s.data);
            s.data.Title = "Wall";
            s.data.Idle = c.idle;
            const ProjectData before = s.data;
            const bool ending = c.command != &ProjectCommands::newProject && c.command != &ProjectCommands::open;
            if (ending)
                s.dialogs.answerYes();
            if (answer == Answer::No) {
                s.dialogs.answerNo();
            } else {
                s.dialogs.answerYes();
                s.dialogs.answerFile(answer == Answer::Cancelled ? std::nullopt
                                     : answer == Answer::Saved
                                         ? std::optional(s.folder.file(QStringLiteral("w.klv")))
                                         : std::optional(s.folder.file(QStringLiteral("gone/w.klv"))));
            }
            if (c.command == &ProjectCommands::open && answer != Answer::Failed)
                s.dialogs.answerFile(std::nullopt);
            const bool closes = c.command ? (s.commands.*c.command)(), s.window.ended : s.commands.mayClose();
            const bool goesOn = answer != Answer::Failed;
            const auto& calls = s.dialogs.calls();
            ASSERT_GE(calls.size(), ending ? 2u : 1u);
            EXPECT_TRUE(!ending ||
                        (calls[0].text == "End. Are you sure ?" && calls[0].kind == MessageKind::Confirmation));
            EXPECT_TRUE(calls[ending].text == "Save current file ?" && calls[ending].kind == MessageKind::Warning);
            EXPECT_EQ(closes, ending && goesOn);
            EXPECT_EQ(s.dialogs.messages().size(), goesOn ? 0u : 1u);
            EXPECT_TRUE(s.dialogs.allAnswered());  // Open's file dialog only after a save that went well
            EXPECT_EQ(s.data.Title == "Wall", !(c.command == &ProjectCommands::newProject && goesOn));
            EXPECT_EQ(s.canvas.calls().empty(), s.data.Title == "Wall");  // New draws the empty raster
            EXPECT_EQ(s.window.caption.isEmpty(), answer != Answer::Saved);
            EXPECT_EQ(s.folder.read(QStringLiteral("w.klv")), answer == Answer::Saved ? FormatProjectFile(before) : "");
        }
    }
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

TEST(DxfIn, ImportsTheRetainingWallInTheChosenUnit)
{
    Session s;
    s.data.Computed = true;
    s.dialogs.answerFile(Fixture("retaining_wall_mm_r12.dxf"));
    s.inDialog<Tdxf_import>([](Tdxf_import& dialog) {
        EXPECT_EQ(LayerTexts(dialog), (std::vector<QString>{QStringLiteral("WALL  (2 outlines)"),
                                                            QStringLiteral("BACKFILL  (1 outline)")}));
        EXPECT_TRUE(dialog.RadioButton_m->isChecked() && !dialog.CheckBox1->isChecked());  // R12 names no unit
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
    EXPECT_EQ(Shown(s.dialogs.calls()[0].options), "Dxf In|Dxf file (*.dxf)|*.dxf|dxf|examples");
    EXPECT_EQ(s.dialogs.messages(), std::vector<QString>{QStringLiteral("3 outlines imported as load areas 1, 2, 3.")});
    EXPECT_EQ(s.dialogs.calls()[2].kind, MessageKind::Plain);
    EXPECT_FALSE(s.data.Computed);
    // In millimetres, as chosen: the outlines' geometry is the import's own tests' matter.
    EXPECT_TRUE(s.data.AreaUsed[3] && !s.data.AreaUsed[4] && s.data.VertexCount[1] == 9);
    EXPECT_TRUE(s.data.VertexX[2][1] == 7.0 && s.data.VertexY[3][2] == 6.0 && s.data.VertexY[1][3] == 1.1);
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
    EXPECT_TRUE(s.data.VertexCount[3] == 41 && !s.data.AreaUsed[5]);
}

TEST(DxfIn, ARefusedOrFailedImportChangesNothing)
{
    Session s;
    s.folder.write(QStringLiteral("nan.dxf"),
                   "0\nSECTION\n2\nENTITIES\n0\nLWPOLYLINE\n5\n2F\n8\nA\n90\n3\n70\n1\n10\n0\n"
                   "20\nnan\n10\n1\n20\n0\n10\n1\n20\n1\n0\nENDSEC\n0\nEOF\n");
    // Refused by its size alone: the file is never read.
    const QString big = s.folder.file(QStringLiteral("big.dxf"));
    ASSERT_TRUE(QFile(big).open(QIODevice::WriteOnly) && QFile::resize(big, kMaxDxfFileBytes + 1));
    const QString fifo = s.folder.file(QStringLiteral("fifo.dxf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    testing::SetOutline(s.data, 2, {{1, 1}, {2, 1}, {1, 1}});
    s.data.Computed = true;
    const ProjectData before = s.data;
    const QString wall = Fixture("retaining_wall_mm_2000.dxf");
    enum class Then { Nothing, UncheckAllAndOk, Cancel, CancelReading };
    const struct {
        std::optional<QString> file;
        Then then;
        QString message;
    } cases[] = {
        {Fixture("truncated_r12.dxf"), Then::Nothing, kMsgDxfDamaged},
        {s.folder.file(QStringLiteral("no_such.dxf")), Then::Nothing, "File input error !!!"},
        {s.folder.file(QStringLiteral("nan.dxf")), Then::Nothing,
         QString::fromLatin1(kMsgDxfNoOutline) +
             "\nLWPOLYLINE on layer A, handle 2F, line 5: group 20 holds \"nan\", not a finite number - not imported."},
        {fifo, Then::Nothing, "The file " + fifo + " is not a regular file: nothing was read."},
        {big, Then::Nothing, QString::fromLatin1(kMsgDxfTooLarge).arg(big)},
        {wall, Then::UncheckAllAndOk, kMsgDxfNoOutlineChosen},
        {wall, Then::Cancel, QString()},
        {wall, Then::CancelReading, QString()},
        {std::nullopt, Then::Nothing, QString()},  // no file chosen
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        s.dialogs.clearCalls();
        s.dialogs.answerFile(c.file);
        if (c.then == Then::CancelReading)
            s.dialogs.cancelProgressAt(0);
        const bool dialog = c.then == Then::UncheckAllAndOk || c.then == Then::Cancel;
        if (dialog) {
            s.inDialog<Tdxf_import>([&c](Tdxf_import& dialog) {
                for (int row = 0; row < dialog.CheckListBox1->count(); ++row)
                    dialog.CheckListBox1->item(row)->setCheckState(Qt::Unchecked);
                EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Imports no outline."));
                (c.then == Then::Cancel ? dialog.Button2 : dialog.Button1)->click();
            });
        }
        EXPECT_FALSE(s.draws(&ProjectCommands::dxfIn));
        EXPECT_EQ(s.dialogs.messages(), c.message.isNull() ? std::vector<QString>{} : std::vector<QString>{c.message});
        // The file dialog, the reading's progress, the import dialog, the message.
        EXPECT_EQ(s.dialogs.calls().size(), 1u + c.file.has_value() + dialog + !c.message.isNull());
        EXPECT_TRUE(SameProjectContent(s.data, before) && s.data.Computed && s.dialogs.allAnswered());
    }
}

}  // namespace
}  // namespace kalven
