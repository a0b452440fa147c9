// kalven-report as a user runs it: arguments, exit status, the report, and the PDF and PNG files.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>

#include "analysis/text_report.h"
#include "core/project_file.h"
#include "core/win1252.h"
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

// fileSizeLimit: writes beyond it fail as on a full disk (root ignores permissions, not this).
ToolRun Report(const QStringList& arguments, rlim_t fileSizeLimit = RLIM_INFINITY,
               const QString& program = QStringLiteral(KALVEN_REPORT_BINARY))
{
    QProcess process;
    process.setChildProcessModifier([fileSizeLimit] {
        const rlimit limit{fileSizeLimit, fileSizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
    });
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
}

TEST_F(KalvenReport, RefusesAtOnceWhatIsNoProjectAndAResultThatIsNotFinite)
{
    const QString fifo = dir.file("fifo.klv");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.file("zeros.klv")));
    dir.write("padded.klv", FormatProjectFile(TwoAreaExample()) + std::string(kProjectFileLimit, '\n'));
    ProjectData far = TwoAreaExample();  // far out below and to the left: the sums overflow
    for (int v = 1; v <= 5; ++v) {
        far.VertexX[v][2] *= -1e154;
        far.VertexY[v][2] *= -1e154;
    }
    const struct {
        QString project;
        int status;
        QString message;
    } cases[] = {
        {fifo, 2, "kalven-report: The file " + fifo + " is not a regular file: nothing was read.\n"},
        {dir.file("zeros.klv"), 2, "is not a regular file"},
        {dir.file("padded.klv"), 2, "is larger than 1048576 bytes: nothing was read."},
        {write("far.klv", far), 1, "kalven-report:  Result is not finite - check the coordinates and loads !\n"},
    };
    for (const auto& c : cases) {
        QElapsedTimer clock;
        clock.start();
        const ToolRun run = Report({c.project});
        EXPECT_LT(clock.elapsed(), 5000) << c.project.toStdString();  // the process's start included
        EXPECT_EQ(run.status, c.status) << c.project.toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_EQ(run.out, c.status == 1 ? Lines(BuildTextReport(far)) : QString());
    }
}

// A failed or refused output leaves every file as it was: the project, the earlier output, a device.
TEST_F(KalvenReport, RefusedAndFailedOutputsLeaveEveryFileAsItWas)
{
    const QString project = write("two.klv", TwoAreaExample());
    ASSERT_TRUE(QFile::link(project, dir.file("link.klv")));
    dir.write("old.png", "earlier picture");
    dir.write("old.pdf", "earlier page");
    const struct {
        QStringList arguments;
        int status;
        rlim_t fileSizeLimit = RLIM_INFINITY;
    } cases[] = {
        {{"--pdf", ""}, 64},
        {{"--pdf", project}, 64},
        {{"--png", dir.file("link.klv")}, 64},
        {{"--pdf", dir.file("old.pdf"), "--png", dir.file("./old.pdf")}, 64},
        {{"--pdf", "/dev/full"}, 73},
        {{"--png", "/dev/null"}, 73},
        {{"--png", "/proc/kalven.png"}, 73},  // a folder where nobody may create a file
        {{"--pdf", dir.file("no/folder/a.pdf")}, 73},
        {{"--png", dir.file("old.png")}, 73, 4096},  // the disk full after 4 KiB
        {{"--pdf", dir.file("old.pdf")}, 73, 4096},
    };
    for (const auto& c : cases) {
        const ToolRun run = Report(c.arguments + QStringList{project}, c.fileSizeLimit);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        QStringList said = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        said.removeIf([](const QString& line) { return line.startsWith(QLatin1String("QStandardPaths")); });
        EXPECT_TRUE(said.size() == 1 || (said.size() == 2 && said[1].startsWith(QLatin1String("Try"))))
            << run.err.toStdString();  // one message, no warnings of Qt
    }
    EXPECT_EQ(dir.read("two.klv"), FormatProjectFile(TwoAreaExample()));
    EXPECT_EQ(dir.read("old.png"), "earlier picture");
    EXPECT_EQ(dir.read("old.pdf"), "earlier page");
    for (const char* device : {"/dev/full", "/dev/null"}) {
        struct stat status {};
        EXPECT_TRUE(stat(device, &status) == 0 && S_ISCHR(status.st_mode)) << device;
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4);  // no temporary file left behind
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
                      RLIM_INFINITY, QStringLiteral("/bin/sh"));
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
