#pragma once
// Printing in the tests: a printer set-up that points the printer where the test wants it, the
// worked example to print, and the poppler tools to read the printouts back.

#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <functional>

#include "analysis/text_report.h"
#include "core/win1252.h"
#include "support/fake_user_dialogs.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"

namespace kalven::testing {

// Fake dialogs whose printer set-up runs `setUp` on the printer before it answers.
struct PrinterDialogs : FakeUserDialogs {
    std::function<void(QPrinter&)> setUp;
    bool printerSetup(QPrinter& printer) override
    {
        setUp(printer);
        return FakeUserDialogs::printerSetup(printer);
    }
};

inline std::function<void(QPrinter&)> ToPdf(const QString& path, const QPageSize& paper = QPageSize(QPageSize::A4))
{
    return [=](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(paper);
    };
}

// The two-area example, titled and computed; more areas make a report of more than one page.
inline ProjectData ComputedExample(int areas = 2)
{
    ProjectData data = TwoAreaExample();
    data.Title = "Retaining wall";
    for (int i = 3; i <= areas; ++i)
        SetOutline(data, i, {{8.0 + i, 3}, {9.0 + i, 3}, {9.0 + i, 4}, {8.0 + i, 3}});
    if (areas > 2)
        data.AreaLength = 40;  // room for the added areas on the drawing area
    EXPECT_EQ(ComputeOnScreen(data).run.outcome, ComputeOutcome::Computed);
    return data;
}

// The text report as kalven-report writes it.
inline QString ReportText(const ProjectData& data, int margin = 0)
{
    QString text;
    for (const std::string& line : WithLeftMargin(BuildTextReport(data), margin))
        text += FromWin1252(line) + QLatin1Char('\n');
    return text;
}

// Standard output of a poppler tool, empty when it fails.
inline QString Poppler(const QString& tool, const QStringList& arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int PdfPages(const QString& path)
{
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Poppler("pdfinfo", {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Text without any blank or line break, so a line broken at the page edge reads the same as one
// that is not; PdfCharacters: the printed characters in printed order.
inline std::string WithoutBlanks(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s"))).toStdString();
}
inline std::string PdfCharacters(const QString& path)
{
    return WithoutBlanks(Poppler("pdftotext", {"-raw", path, "-"}));
}

}  // namespace kalven::testing
