// The report window, Print text and Print graphic, printed into PDF files.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <stdexcept>

#include "analysis/text_report.h"
#include "windows/unit3_print_text.h"
#include "windows/print_jobs.h"
#include "core/win1252.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"
#include "support/started_window.h"
#include "windows/pdf_output.h"

namespace kalven::testing {
namespace {

ProjectData ComputedExample(int areas = 2)
{
    ProjectData data = TwoAreaExample();
    data.Title = "Retaining wall";
    for (int i = 3; i <= areas; ++i)  // more areas make a report of more than one page
        SetOutline(data, i, {{8.0 + i, 3}, {9.0 + i, 3}, {9.0 + i, 4}, {8.0 + i, 3}});
    ComputeOnScreen(data);
    return data;
}

QString ReportText(const ProjectData& data, int margin = 0)
{
    QString text;
    for (const std::string& line : WithLeftMargin(BuildTextReport(data), margin))
        text += FromWin1252(line) + QLatin1Char('\n');
    return text;
}

bool BoldAt(const QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().contains(position))
            return it.fragment().charFormat().fontWeight() == QFont::Bold;
    return false;
}

TEST(ReportWindow, ShowsTheReportWithABoldTitleAndPrintsItWithTheMargin)
{
    ProjectData data = ComputedExample();
    FakeUserDialogs dialogs;
    Tprint_text window(data, dialogs);
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" Print text - arrangements"));
    EXPECT_EQ(window.RichEdit1->toPlainText() + QLatin1Char('\n'), ReportText(data));
    EXPECT_TRUE(window.RichEdit1->isReadOnly());
    EXPECT_EQ(window.RichEdit1->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_TRUE(QFontInfo(window.RichEdit1->document()->defaultFont()).fixedPitch());
    EXPECT_EQ(window.RichEdit1->document()->defaultFont().pointSize(), 8);
    EXPECT_EQ(window.SpinEdit1->value(), 14);
    EXPECT_EQ(window.SpinEdit1->maximum(), 30);

    // Character 164 with two characters a line break is 158 in the view; the title has 14.
    const QTextDocument& view = *window.RichEdit1->document();
    EXPECT_FALSE(BoldAt(view, 156));
    EXPECT_TRUE(BoldAt(view, 158) && BoldAt(view, 171));
    EXPECT_FALSE(BoldAt(view, 173));

    const auto lines = BuildTextReport(data);
    for (int margin : {0, 30}) {
        const auto printed = window.printedReport(margin);
        ASSERT_EQ(printed->blockCount(), static_cast<int>(lines.size()));
        int k = 0;
        for (QTextBlock b = printed->begin(); b.isValid(); b = b.next(), ++k) {
            EXPECT_EQ(b.text(), QString(margin, ' ') + FromWin1252(lines[static_cast<std::size_t>(k)]));
            for (auto it = b.begin(); !it.atEnd(); ++it)
                EXPECT_EQ(it.fragment().charFormat().font().pointSize(), 10);
        }
        const int title = 158 + 7 * margin;  // behind six lines and its own margin
        EXPECT_TRUE(BoldAt(*printed, title) && BoldAt(*printed, title + 13));
        EXPECT_FALSE(BoldAt(*printed, title - 2));
    }
}

TEST(ReportWindow, CancelledSetUpKeepsTheReportThenPrintsEveryCharacterOnAsManyPagesAsNeeded)
{
    QTemporaryDir dir;
    ProjectData data = ComputedExample(20);
    PdfPrinterDialogs dialogs(dir.filePath("a5.pdf"), QPageSize(QPageSize::A5));
    Tprint_text window(data, dialogs);
    window.show();
    window.SpinEdit1->setValue(30);
    dialogs.answerPrinter(false);
    window.Button1Click();
    EXPECT_EQ(data.PrintLeftMargin, 30);
    EXPECT_FALSE(QFile::exists(dir.filePath("a5.pdf")));
    EXPECT_TRUE(window.RichEdit1->isVisible());
    EXPECT_EQ(window.RichEdit1->toPlainText() + QLatin1Char('\n'), ReportText(data));
    EXPECT_NE(window.result(), QDialog::Accepted);
    // A refused job is reported, and the window stays open with the report for the next try.
    dialogs.setPath(dir.filePath("no/such/folder/a5.pdf"));
    dialogs.answerPrinter(true);
    window.Button1->click();
    ASSERT_EQ(dialogs.calls().back().kind, MessageKind::Error);
    EXPECT_TRUE(window.isVisible() && window.RichEdit1->isVisible());

    dialogs.setPath(dir.filePath("a5.pdf"));
    dialogs.answerPrinter(true);
    window.Button1Click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    // Nothing cut at the page edge, nothing added (no page numbers), nothing printed twice.
    EXPECT_GT(PdfPages(dir.filePath("a5.pdf")), 1);
    EXPECT_EQ(WithoutBlanks(PdfText(dir.filePath("a5.pdf"))), WithoutBlanks(ReportText(data)));
    EXPECT_TRUE(Poppler("pdfinfo", {dir.filePath("a5.pdf")}).contains(QStringLiteral("Print text - arrangements")));

    PdfPrinterDialogs small(dir.filePath("a6.pdf"), QPageSize(QPageSize::A6));
    Tprint_text narrow(data, small);
    small.answerPrinter(true);
    narrow.Button1Click();  // lines wider than the page go on in the next line
    EXPECT_EQ(WithoutBlanks(PdfText(dir.filePath("a6.pdf"))), WithoutBlanks(ReportText(data)));
}

TEST(ReportWindow, NoFaceMakesAPageRepeatTheLastLineOfThePageBefore)
{
    QTemporaryDir dir;
    ProjectData data = ComputedExample(20);
    FakeUserDialogs dialogs;
    Tprint_text window(data, dialogs);
    for (const char* face : {"Noto Sans Mono", "Noto Serif", "DejaVu Serif"}) {
        const auto report = window.printedReport(5);
        report->setDefaultFont(QFont(QString::fromLatin1(face), 10));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(face));
        printer.setPageSize(QPageSize(QPageSize::A6));
        PrintDocument(printer, *report, kPrintTextCaption);
        EXPECT_EQ(WithoutBlanks(PdfText(dir.filePath(face))), WithoutBlanks(ReportText(data))) << face;
    }
}

TEST(PrintCommands, PrintTextOpensAFreshReportAndKeepsTheMarginBetweenWindows)
{
    FakeUserDialogs dialogs;
    Tvstupy main(dialogs);
    AnswerDialog<Tprint_text>(dialogs, [](Tprint_text& report) {
        report.SpinEdit1->setValue(7);
        report.Button1->click();
    });
    dialogs.answerPrinter(false);
    main.Printtext1Click();
    EXPECT_EQ(main.data().PrintLeftMargin, 7);

    main.data().Title = "Changed";
    AnswerDialog<Tprint_text>(dialogs, [](Tprint_text& report) {
        EXPECT_EQ(report.SpinEdit1->value(), 7);
        EXPECT_TRUE(report.RichEdit1->toPlainText().contains(QStringLiteral("\nChanged\n")));
    });
    main.Printtext1Click();
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST(PrintCommands, PrintGraphicPrintsOnePageOrNothingAndTheSetUpChoiceStaysForTheNextPrintout)
{
    // A set-up that turns the page to landscape and remembers how it found the printer.
    struct Dialogs : PdfPrinterDialogs {
        using PdfPrinterDialogs::PdfPrinterDialogs;
        std::vector<std::pair<QPageLayout::Orientation, int>> found;
        bool printerSetup(QPrinter& printer) override
        {
            found.emplace_back(printer.pageLayout().orientation(), printer.resolution());
            printer.setPageOrientation(QPageLayout::Landscape);
            return PdfPrinterDialogs::printerSetup(printer);
        }
    };
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    Dialogs dialogs(pdf);
    Tvstupy main(dialogs);
    main.data() = ComputedExample();
    dialogs.answerPrinter(false);
    main.Printgraphic1Click();
    EXPECT_FALSE(QFile::exists(pdf));
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = PdfText(pdf).simplified();
    for (const char* expected : {"Retaining wall", "KALVEN devs", "KALVEN V 1.0", "Resultant force 56.57 kN",
                                 "Xs = 1.00 m", "Ys = 0.50 m", "Angle 315.00\u00B0"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << " in " << text.toStdString();

    // A job the printing service refuses reaches the general error report.
    dialogs.setPath(dir.filePath("no/such/folder/page.pdf"));
    dialogs.answerPrinter(true);
    EXPECT_THROW(main.Printgraphic1Click(), std::runtime_error);

    // The next printouts, of either kind, start from the landscape chosen before.
    QFile::remove(pdf);
    dialogs.setPath(pdf);
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(Poppler("pdfinfo", {pdf}).contains(QStringLiteral("842 x 595"))) << "A4 landscape";
    AnswerDialog<Tprint_text>(dialogs, [](Tprint_text& report) { report.Button1->click(); });
    dialogs.answerPrinter(true);
    main.Printtext1Click();
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    ASSERT_EQ(dialogs.found.size(), 6u);
    for (std::size_t i = 1; i < 6; ++i) {
        EXPECT_EQ(dialogs.found[i].first, QPageLayout::Landscape) << i;
        EXPECT_EQ(dialogs.found[i].second, dialogs.found[0].second) << "the page's own resolution stays its own";
    }
    EXPECT_TRUE(dialogs.allAnswered());
}

}  // namespace
}  // namespace kalven::testing
