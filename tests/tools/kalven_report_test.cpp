// kalven-report as a user runs it: arguments, exit status, the report, and the PDF and PNG files.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <iterator>

#include "analysis/text_report.h"
#include "core/project_file.h"
#include "platform/win1252.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"
#include "support/working_folder.h"
#include "windows/pdf_output.h"

namespace kalven::testing {
namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun Report(const QStringList& arguments, const QString& program = QStringLiteral(KALVEN_REPORT_BINARY))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})  // it must find its own way
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString Lines(const std::vector<std::string>& lines)
{
    QString text;
    for (const std::string& line : lines)
        text += FromWin1252(line) + QLatin1Char('\n');
    return text;
}

class KalvenReport : public ::testing::Test {
protected:
    QString write(const QString& name, const ProjectData& data)
    {
        dir.write(name, FormatProjectFile(data));
        return dir.file(name);
    }
    WorkingFolder dir{WorkingFolder::Config::None};
};

TEST_F(KalvenReport, ExitStatusAndReportTellWhatBecameOfTheProject)
{
    ProjectData computed = TwoAreaExample();
    const QString project = write("two.klv", computed);
    ComputeOnScreen(computed);
    ToolRun run = Report({"--margin", "30", project});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, Lines(WithLeftMargin(BuildTextReport(computed), 30)));
    EXPECT_FALSE(run.err.contains(QStringLiteral("kalven-report:")));
    run = Report({QStringLiteral(KALVEN_SHARE_DIR "/examples/two_areas.klv")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QString::fromUtf8("\nAngle of resultant force   315.00°\n")));

    ProjectData outside = TwoAreaExample();  // an upward force beside a downward one
    outside.LoadAreaData[2].Multiplier = 10;
    outside.LoadAreaData[2].Alpha = 90;
    run = Report({write("outside.klv", outside)});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral(" Resultant is outside the desktop !")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("\nResultant Xc =    -3.00 m\n")));

    run = Report({write("empty.klv", ProjectData{})});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral(" Non-existent area load !")));
    EXPECT_EQ(run.out, Lines(BuildTextReport(ProjectData{})));

    run = Report({dir.file("missing.klv")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.isEmpty());
    run = Report({QStringLiteral(KALVEN_TEST_DATA "/malformed_number.klv")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Invalid numeric input in line 56: \"3O\"")));
    // A cut-off file (its last vertex lost) is computed as read, with a warning.
    std::string cut = FormatProjectFile(TwoAreaExample());
    cut.resize(cut.rfind("\r\n", cut.size() - 3) + 2);
    dir.write("cut.klv", cut);
    run = Report({dir.file("cut.klv")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains(QString::fromLatin1(kMsgFileEndsEarly)));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Resultant Xc")));

    for (const QStringList& bad : std::vector<QStringList>{{},
                                                           {"--margin", "31", project},
                                                           {"--margin", "1.5", project},
                                                           {project, "--margin"},
                                                           {"--png", "a.png", "--size", "0x5", project},
                                                           {"--landscape", project},
                                                           {"--colour", project},
                                                           {project, project}}) {
        run = Report(bad);
        EXPECT_EQ(run.status, 64) << bad.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    run = Report({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: kalven-report [--margin N]")));
    EXPECT_EQ(Report({"--png", dir.file("no/folder/a.png"), project}).status, 73);
    EXPECT_EQ(Report({"--pdf", dir.file("no/folder/a.pdf"), project}).status, 73);
}

TEST_F(KalvenReport, WritesTheDrawingAreaAndTheGraphicPage)
{
    const QString project = write("two.klv", TwoAreaExample());
    ToolRun run = Report({"--png", dir.file("area.png"), "--pdf", dir.file("page.pdf"), project});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage area(dir.file("area.png"));
    EXPECT_EQ(area.size(), QSize(928, 696));
    EXPECT_EQ(area.pixelColor(37 + 6, 677 + 6), QColor(Qt::red));  // on the resultant from (1, 0.5)
    EXPECT_EQ(PdfPages(dir.file("page.pdf")), 1);
    EXPECT_TRUE(Poppler("pdfinfo", {dir.file("page.pdf")}).contains(QStringLiteral("595 x 842 pts (A4)")));
    EXPECT_TRUE(PdfText(dir.file("page.pdf")).simplified().contains(QStringLiteral("Resultant force 56.57 kN")));

    run = Report({"--png", dir.file("small.png"), "--size", "300x200", "--pdf", dir.file("wide.pdf"),
                  "--landscape", project});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(QImage(dir.file("small.png")).size(), QSize(300, 200));
    EXPECT_TRUE(Poppler("pdfinfo", {dir.file("wide.pdf")}).contains(QStringLiteral("842 x 595 pts (A4)")));
}

// File names are bytes: a name that is not valid UTF-8 is read and written as it is named.
TEST_F(KalvenReport, FileNamesThatAreNotUtf8AreUsedAsTheyAre)
{
    std::ofstream("\xff\xfe.klv", std::ios::binary) << FormatProjectFile(TwoAreaExample());
    // QProcess would pass its arguments as UTF-8, so the shell makes the bytes.
    const auto run = [](const char* project) {
        return Report({"-c", QStringLiteral("exec \"$0\" --png \"$(printf '\\377\\376.png')\" "
                                            "--pdf \"$(printf '\\377\\376.pdf')\" \"$(printf '%1')\"")
                                 .arg(QLatin1String(project)),
                       QStringLiteral(KALVEN_REPORT_BINARY)},
                      QStringLiteral("/bin/sh"));
    };
    const auto head = [](const char* name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {}).substr(0, 4);
    };
    ProjectData computed = TwoAreaExample();
    ComputeOnScreen(computed);
    ToolRun ran = run("\\377\\376.klv");
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    EXPECT_EQ(ran.out, Lines(BuildTextReport(computed)));
    EXPECT_EQ(head("\xff\xfe.png"), "\x89PNG");
    EXPECT_EQ(head("\xff\xfe.pdf"), "%PDF");
    ran = run("\\377\\375.klv");
    EXPECT_EQ(ran.status, 2);
    EXPECT_TRUE(ran.err.contains(QStringLiteral(".klv: No such file or directory")));
}

}  // namespace
}  // namespace kalven::testing
