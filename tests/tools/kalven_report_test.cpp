// kalven-report as a user runs it: arguments, exit status, the report, and the PDF and PNG files.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "analysis/text_report.h"
#include "core/project_file.h"
#include "platform/win1252.h"
#include "printout/two_area_example.h"
#include "windows/pdf_output.h"

namespace kalven::testing {
namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun Report(const QStringList& arguments, bool withoutDisplay = false)
{
    QProcess process;
    if (withoutDisplay) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
    }
    process.start(QStringLiteral(KALVEN_REPORT_BINARY), arguments);
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
        const QString path = dir_.filePath(name);
        const std::string bytes = FormatProjectFile(data);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
};

TEST_F(KalvenReport, ComputesAndWritesTheReportWithItsMargin)
{
    ProjectData computed = TwoAreaExample();
    const QString project = write("two.klv", computed);
    ComputeOnScreen(computed);

    ToolRun run = Report({project}, true);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, Lines(BuildTextReport(computed)));
    EXPECT_FALSE(run.err.contains(QStringLiteral("kalven-report:")));

    run = Report({"--margin", "30", project});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Lines(WithLeftMargin(BuildTextReport(computed), 30)));

    // The delivered example holds the same two areas.
    run = Report({QStringLiteral(KALVEN_SHARE_DIR "/examples/two_areas.klv")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("Resultant force   56.57 kN\n")));
    EXPECT_TRUE(run.out.contains(QString::fromUtf8("Angle of resultant force   315.00°\n")));
}

TEST_F(KalvenReport, ExitStatusTellsWhatBecameOfTheProject)
{
    // Computed, with the resultant off the drawing area: a warning, still success.
    ProjectData outside = TwoAreaExample();
    outside.LoadAreaData[2].Multiplier = 10;
    outside.LoadAreaData[2].Alpha = 90;
    ToolRun run = Report({write("outside.klv", outside)});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral(" Resultant is outside the desktop !")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("Resultant Xc =    -3.00 m\n")));

    // No area in use: the check's message, and the report without results.
    run = Report({write("empty.klv", ProjectData{})});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral(" Non-existent area load !")));
    EXPECT_EQ(run.out, Lines(BuildTextReport(ProjectData{})));

    run = Report({path("missing.klv")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot read")));
    EXPECT_TRUE(run.out.isEmpty());
    run = Report({QStringLiteral(KALVEN_TEST_DATA "/malformed_number.klv")});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Invalid numeric input")));

    const QString project = write("two.klv", TwoAreaExample());
    const std::vector<QStringList> bad = {
        {},
        {"--margin", "31", project},
        {"--margin", "-1", project},
        {"--margin", "1.5", project},
        {project, "--margin"},
        {"--size", "0x5", "--png", path("a.png"), project},
        {"--size", "640", "--png", path("a.png"), project},
        {"--size", "640x480", project},
        {"--landscape", project},
        {"--colour", project},
        {project, project},
    };
    for (const QStringList& arguments : bad) {
        run = Report(arguments);
        EXPECT_EQ(run.status, 64) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    run = Report({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: kalven-report [--margin N]")));

    run = Report({"--png", path("no/such/folder/a.png"), project});
    EXPECT_EQ(run.status, 73);
    run = Report({"--pdf", path("no/such/folder/a.pdf"), project});
    EXPECT_EQ(run.status, 73);
}

TEST_F(KalvenReport, WritesTheDrawingAreaAndTheGraphicPage)
{
    const QString project = write("two.klv", TwoAreaExample());
    ToolRun run = Report({"--png", path("area.png"), "--pdf", path("page.pdf"), project});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    QImage area(path("area.png"));
    ASSERT_FALSE(area.isNull());
    EXPECT_EQ(area.size(), QSize(928, 696));
    // The red resultant starts at (1, 0.5): 37 pixels per metre.
    EXPECT_EQ(area.pixelColor(37 + 6, 696 - 19 + 6), QColor(Qt::red));

    EXPECT_EQ(PdfPages(path("page.pdf")), 1);
    EXPECT_TRUE(Poppler("pdfinfo", {path("page.pdf")}).contains(QStringLiteral("595 x 842 pts (A4)")));
    const QString text = PdfText(path("page.pdf")).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Resultant force 56.57 kN"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("KALVEN V 1.0")));

    run = Report({"--png", path("small.png"), "--size", "300x200", "--pdf", path("wide.pdf"), "--landscape", project});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(QImage(path("small.png")).size(), QSize(300, 200));
    EXPECT_TRUE(Poppler("pdfinfo", {path("wide.pdf")}).contains(QStringLiteral("842 x 595 pts (A4)")));
}

}  // namespace
}  // namespace kalven::testing
