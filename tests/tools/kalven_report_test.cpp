// kalven-report as a user runs it: arguments, exit status, the report, and the PDF and PNG files.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <fstream>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

#include "analysis/base_joint.h"
#include "analysis/resultant.h"
#include "core/project_file.h"
#include "support/file_bytes.h"
#include "support/working_folder.h"
#include "windows/print_jobs.h"
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

class KalvenReport : public ::testing::Test {
protected:
    QString write(const QString& name, const ProjectData& data)
    {
        dir.write(name, FormatProjectFile(data));
        return dir.file(name);
    }
    WorkingFolder dir{WorkingFolder::Config::None};
};

// Every run answers at once with its exit status and at most one message, and a refused or failed
// output leaves every file as it was: the project, an earlier output, a device.
TEST_F(KalvenReport, ExitStatusMessageAndReportTellWhatBecameOfTheProject)
{
    const QString project = write("two.klv", TwoAreaExample());
    ProjectData outside = TwoAreaExample();  // an upward force beside a downward one
    SetLoad(outside, 2, 10, 90);
    ProjectData far = TwoAreaExample();  // far out below and to the left: the sums overflow
    SetOutline(far, 2, {{-4e154, 0}, {-6e154, 0}, {-6e154, -1e154}, {-4e154, -1e154}, {-4e154, 0}});
    std::string cut = FormatProjectFile(TwoAreaExample());  // the last vertex lost
    cut.resize(cut.rfind("\r\n", cut.size() - 3) + 2);
    dir.write("cut.klv", cut);
    const QString fifo = dir.file("fifo.klv");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(project, dir.file("link.klv")));
    dir.write("padded.klv", FormatProjectFile(TwoAreaExample()) + std::string(kProjectFileLimit, '\n'));
    dir.write("old.png", "earlier picture");
    dir.write("old.pdf", "earlier page");
    ProjectData two = TwoAreaExample();
    ComputeOnScreen(two);
    const QString bad = QStringLiteral("\nTry kalven-report --help\n"), me = QStringLiteral("kalven-report: ");
    const QString kept = QStringLiteral("; an earlier file of that name is unchanged");
    const struct {
        QStringList arguments;
        int status;
        QString err;       // contained in standard error
        QString out = "";  // standard output, or what it contains when `whole` is false
        bool whole = true;
        rlim_t fileSizeLimit = RLIM_INFINITY;  // writes beyond it fail as on a full disk
    } cases[] = {
        {{"--margin", "30", project}, 0, "", ReportText(two, 30)},
        {{KALVEN_SHARE_DIR "/examples/two_areas.klv"}, 0, "", "\nAngle of resultant force   315.00°\n", false},
        {{write("outside.klv", outside)}, 0, kMsgResultantOutside, "\nResultant Xc =    -3.00 m\n", false},
        {{dir.file("cut.klv")}, 0, kMsgFileEndsEarly, "Resultant Xc", false},
        {{write("empty.klv", ProjectData{})}, 1, " Non-existent area load !", ReportText(ProjectData{})},
        {{write("far.klv", far)}, 1, me + kMsgResultNotFinite + "\n", ReportText(far)},
        {{dir.file("missing.klv")}, 2, "missing.klv: No such file or directory"},
        {{KALVEN_TEST_DATA "/malformed_number.klv"}, 2, "Invalid numeric input in line 56: \"3O\""},
        {{fifo}, 2, me + "The file " + fifo + " is not a regular file: nothing was read.\n"},
        {{dir.file("padded.klv")}, 2, "is larger than 1048576 bytes: nothing was read."},
        {{}, 64, me + "no project file given" + bad},
        {{"", project, ""}, 64, me + "one project file only" + bad},
        {{"--margin", "31", project}, 64, "the margin must be a whole number from 0 to 30, not \"31\"" + bad},
        {{"--margin", "1.5", "--margin", "2", project}, 64, "not \"1.5\""},
        {{project, "--margin"}, 64, me + "--margin needs a value" + bad},
        {{"--png", "a.png", "--size", "0x5", project}, 64, "WxH with each side from 1 to 16384 pixels, not \"0x5\""},
        {{"--landscape", project}, 64, me + "--landscape goes with --pdf" + bad},
        {{"--size", "5x5", project}, 64, me + "--size goes with --png" + bad},
        {{"--colour", project}, 64, me + "unknown option --colour" + bad},
        {{"-xh", project}, 64, me + "unknown option -xh" + bad},
        {{"--landscape=no", "--pdf", "a.pdf", project}, 64, "unknown option --landscape=no" + bad},
        {{"--pdf", "", project}, 64, "an output file needs a name" + bad},
        {{"--pdf", project, project}, 64, "two.klv is the project itself; choose another output file" + bad},
        {{"--png", dir.file("link.klv"), project}, 64, "link.klv is the project itself"},
        {{"--pdf", dir.file("old.pdf"), "--png", dir.file("./old.pdf"), project}, 64, "name the same file"},
        {{"--pdf", "/dev/full", project}, 73, "cannot write /dev/full: it is not a regular file\n", ReportText(two)},
        {{"--json", "/dev/full", project}, 73, "cannot write /dev/full: it is not a regular file\n", ReportText(two)},
        {{"--png", dir.file("a"), "--json", dir.file("./a"), project}, 64, "--png and --json name the same file", ""},
        {{"--json", dir.file("refused.json"), dir.file("empty.klv")}, 1, "load !", ReportText(ProjectData{})},
        {{"--png", "/dev/null", project}, 73, "cannot write /dev/null: it is not a regular file\n", ReportText(two)},
        {{"--png", "/proc/kalven.png", project}, 73, "cannot write /proc/kalven.png: ", ReportText(two)},
        {{"--pdf", dir.file("no/folder/a.pdf"), project}, 73, "a.pdf: No such file or directory\n", ReportText(two)},
        {{"--png", dir.file("old.png"), project}, 73, kept, ReportText(two), true, 4096},
        {{"--pdf", dir.file("old.pdf"), project}, 73, kept, ReportText(two), true, 4096},
        {{"--help"}, 0, "", "Usage: kalven-report [--margin N] [--pdf FILE [--landscape]]", false},
    };
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden);
    for (const auto& c : cases) {
        QElapsedTimer clock;
        clock.start();
        const ToolRun run = Report(c.arguments, c.fileSizeLimit);
        const std::string what = c.arguments.join(' ').toStdString();
        EXPECT_LT(clock.elapsed(), 5000) << what;  // the process's start included
        EXPECT_EQ(run.status, c.status) << what;
        QStringList said = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        said.removeIf([](const QString& line) { return line.startsWith(QLatin1String("QStandardPaths")); });
        EXPECT_TRUE(c.err.isEmpty() ? said.isEmpty() : run.err.contains(c.err))
            << what << ": " << run.err.toStdString();
        EXPECT_TRUE(said.size() <= 1 || (said.size() == 2 && said[1] == bad.trimmed())) << what;  // no Qt warnings
        EXPECT_TRUE(c.whole ? run.out == c.out : run.out.contains(c.out)) << what << ": " << run.out.toStdString();
    }
    EXPECT_EQ(dir.read("two.klv"), FormatProjectFile(TwoAreaExample()));
    EXPECT_EQ(dir.read("old.png"), "earlier picture");
    EXPECT_EQ(dir.read("old.pdf"), "earlier page");
    for (const char* device : {"/dev/full", "/dev/null"}) {
        struct stat status {};
        EXPECT_TRUE(stat(device, &status) == 0 && S_ISCHR(status.st_mode)) << device;
    }
    // Nothing left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden), files);
}

// File names are bytes: names that are not valid UTF-8 are read and written as they are named.
TEST_F(KalvenReport, WritesTheDrawingAreaAndTheGraphicPageUnderTheNamesGiven)
{
    std::ofstream("\xff\xfe.klv", std::ios::binary) << FormatProjectFile(TwoAreaExample());
    // QProcess would pass its arguments as UTF-8, so the shell makes the bytes.
    const auto run = [](const char* project) {
        return Report({"-c",
                       QStringLiteral("exec \"$0\" --png \"$(printf '\\377\\376.png')\" "
                                      "--pdf=\"$(printf '\\377\\376.pdf')\" \"$(printf '%1')\"")
                           .arg(QLatin1String(project)),
                       QStringLiteral(KALVEN_REPORT_BINARY)},
                      RLIM_INFINITY, QStringLiteral("/bin/sh"));
    };
    ProjectData two = TwoAreaExample();
    ComputeOnScreen(two);
    ToolRun ran = run("\\377\\376.klv");
    EXPECT_EQ(ran.status, 0) << ran.err.toStdString();
    EXPECT_EQ(ran.out, ReportText(two));
    // The folder cannot remove a name that is not valid UTF-8 by itself.
    ASSERT_EQ(std::rename("\xff\xfe.png", "area.png") | std::rename("\xff\xfe.pdf", "page.pdf") |
                  std::remove("\xff\xfe.klv"),
              0);
    const QImage area(dir.file("area.png"));
    EXPECT_EQ(area.size(), QSize(928, 696));
    EXPECT_EQ(area.pixelColor(37 + 6, 677 + 6), QColor(Qt::red));  // on the resultant from (1, 0.5)
    EXPECT_EQ(PdfPages(dir.file("page.pdf")), 1);
    EXPECT_TRUE(Poppler("pdfinfo", {dir.file("page.pdf")}).contains(QStringLiteral("595 x 842 pts (A4)")));
    EXPECT_NE(PdfCharacters(dir.file("page.pdf")).find("Resultantforce56.57kN"), std::string::npos);
    // Every word where Print graphic puts it on an A4 page of a PDF printer.
    QPrinter printer(QPrinter::HighResolution);
    ToPdf(dir.file("printed.pdf"))(printer);
    PrintGraphicPage(printer, two, QGuiApplication::palette());
    const auto words = [](const QString& pdf) {
        return Poppler("pdftotext", {"-bbox", pdf, "-"}).section("<page", 1).toStdString();
    };
    EXPECT_EQ(words(dir.file("page.pdf")), words(dir.file("printed.pdf")));
    ran = run("\\377\\375.klv");
    EXPECT_EQ(ran.status, 2);
    EXPECT_TRUE(ran.err.contains(QStringLiteral(".klv: No such file or directory")));

    ran = Report({"--png", dir.file("small.png"), "--size", "300x200", "--pdf", dir.file("wide.pdf"), "--landscape",
                  write("two.klv", TwoAreaExample())});
    ASSERT_EQ(ran.status, 0);
    EXPECT_EQ(QImage(dir.file("small.png")).size(), QSize(300, 200));
    EXPECT_TRUE(Poppler("pdfinfo", {dir.file("wide.pdf")}).contains(QStringLiteral("842 x 595 pts (A4)")));
}

// The numbers as the program computes them, not a digit lost, and by hand for the worked example.
// The base joint comes and goes through the project file's joint block: this needs its reader and writer.
TEST_F(KalvenReport, WritesEveryComputedNumberAsJson)
{
    const auto numbers = [&](const QString& project) {
        EXPECT_EQ(Report({"--json", dir.file("n.json"), project}).status, 0);
        return QJsonValue(QJsonDocument::fromJson(QByteArray::fromStdString(dir.read("n.json"))).object());
    };
    const QString path = QStringLiteral(KALVEN_TEST_DATA "/retaining_wall_with_joint.klv");
    ProjectData wall = ReadProjectFile(FileBytes(path), ProjectData{});
    ComputeOnScreen(wall);
    const JointResults r = *ProjectJointResults(wall);
    QJsonValue json = numbers(path);
    QJsonValue joint = json["Joint"];
    const std::tuple<QJsonValue, double, double> rows[] = {
        {json["Resultant"]["Force"], wall.ResultantForce, 100.578},
        {json["Areas"][1]["TipX"], wall.ResultList[2].TipX, 3.009},
        {joint["Sx"], r.Sx, 1.53125},
        {joint["e"], r.e, -0.46875},
        {joint["T"], r.T, -30},
        {joint["SigmaB"], r.SigmaB, 7.125},
        {joint["Utilisation"], r.Utilisation, 0.625},
    };
    for (const auto& [value, exact, byHand] : rows) {
        EXPECT_EQ(value.toDouble(), exact);
        EXPECT_NEAR(value.toDouble(), byHand, 0.0005);
    }
    EXPECT_TRUE(joint["Verdict"] == "within the middle third" && joint["Sliding"] == "safe" &&
                joint["Contact"].isNull());

    wall.Joint.X1 = 1;  // the line of action now crosses 0.53 m from A in a base 3 m wide
    joint = numbers(write("narrow.klv", wall))["Joint"];
    EXPECT_EQ(joint["Verdict"], "outside the middle third");
    EXPECT_NEAR(joint["SigmaMax"].toDouble(), 2 * 96 / (3 * (1.5 - 0.96875)), 1e-12);
    EXPECT_TRUE(joint["MaxAtA"].toBool() && joint["SigmaA"].isNull());

    json = numbers(write("two.klv", TwoAreaExample()));
    EXPECT_TRUE(json["Resultant"]["Angle"] == 315 && !json.toObject().contains("Joint"));
}

}  // namespace
}  // namespace kalven::testing
