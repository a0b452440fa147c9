// The report window, Print text and Print graphic, printed into PDF files.

#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <stdexcept>

#include "windows/print_jobs.h"
#include "support/started_window.h"
#include "windows/pdf_output.h"

namespace kalven::testing {
namespace {

bool BoldAt(const QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().contains(position))
            return it.fragment().charFormat().fontWeight() == QFont::Bold;
    return false;
}

// The report is shown read-only, so what is printed is the report, not an edit of it; its
// printout keeps the bold title and goes on as many pages as it needs in any face, nothing
// repeated or lost at a page break.
TEST(ReportWindow, ShowsTheReportWithABoldTitleAndPrintsEveryLineOnceWithTheMargin)
{
    QTemporaryDir dir;
    ProjectData data = ComputedExample(20);
    FakeUserDialogs dialogs;
    QPrinter unused;
    Tprint_text window(data, dialogs, unused);
    EXPECT_EQ(window.RichEdit1->toPlainText() + QLatin1Char('\n'), ReportText(data));
    EXPECT_TRUE(window.RichEdit1->isReadOnly() && window.RichEdit1->lineWrapMode() == QTextEdit::NoWrap);
    EXPECT_TRUE(QFontInfo(window.RichEdit1->document()->defaultFont()).fixedPitch());
    // The 14 characters of the title follow six lines; a line break is one character in the view.
    for (int margin : {-1, 0, 30}) {
        const auto printed = margin < 0 ? nullptr : window.printedReport(margin);
        const QTextDocument& shown = printed ? *printed : *window.RichEdit1->document();
        const int title = 158 + 7 * std::max(margin, 0);
        EXPECT_TRUE(BoldAt(shown, title) && BoldAt(shown, title + 13)) << margin;
        EXPECT_FALSE(BoldAt(shown, title - 2) || BoldAt(shown, title + 15)) << margin;
    }
    for (const char* face : {"", "Noto Sans Mono", "Noto Serif", "DejaVu Serif"}) {
        const int margin = *face ? 5 : 30;  // the widest lines in the report's own face
        const auto report = window.printedReport(margin);
        for (QTextBlock b = report->begin(); b.isValid(); b = b.next())
            for (auto it = b.begin(); !it.atEnd(); ++it)
                EXPECT_EQ(it.fragment().charFormat().font().pointSize(), 10);
        if (*face)
            report->setDefaultFont(QFont(QString::fromLatin1(face), 10));
        const QString pdf = dir.filePath(QString::fromLatin1(face) + ".pdf");
        QPrinter printer(QPrinter::HighResolution);
        ToPdf(pdf, QPageSize(QPageSize::A6))(printer);
        PrintDocument(printer, *report, kPrintTextCaption);
        EXPECT_EQ(PdfCharacters(pdf), WithoutBlanks(ReportText(data, margin))) << face;
    }
}

TEST(PrintCommands, BothPrintoutsPrintAllOrNothingAndStartFromTheLastSetUp)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    // The set-up turns the page to landscape and notes how it found the printer.
    std::vector<std::pair<QPageLayout::Orientation, int>> found;
    QString path = pdf;
    PrinterDialogs dialogs;
    dialogs.setUp = [&](QPrinter& printer) {
        found.emplace_back(printer.pageLayout().orientation(), printer.resolution());
        ToPdf(path)(printer);
        printer.setPageOrientation(QPageLayout::Landscape);
    };
    Tvstupy main(dialogs);
    main.data() = ComputedExample();
    dialogs.answerPrinter(false);
    main.Printgraphic1Click();
    EXPECT_FALSE(QFile::exists(pdf));
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    EXPECT_EQ(PdfPages(pdf), 1);
    EXPECT_TRUE(Poppler("pdfinfo", {pdf}).contains(QStringLiteral("842 x 595"))) << "A4 landscape";
    for (const char* expected : {"Retaining wall", "KALVEN devs", "KALVEN V 1.0", "Resultant force 56.57 kN",
                                 "Xs = 1.00 m", "Ys = 0.50 m", "Angle 315.00\u00B0"})
        EXPECT_NE(PdfCharacters(pdf).find(WithoutBlanks(QString::fromUtf8(expected))), std::string::npos) << expected;

    // A job the printing service refuses reaches the general error report.
    path = dir.filePath("no/such/folder/page.pdf");
    dialogs.answerPrinter(true);
    EXPECT_THROW(main.Printgraphic1Click(), std::runtime_error);

    // Print text: a cancelled set-up, or a refused job, leaves the report open as it was built,
    // with the margin kept for later reports; then every character goes on as many pages as it
    // needs, nothing added.
    main.data() = ComputedExample(20);
    AnswerDialog<Tprint_text>(dialogs, [&](Tprint_text& report) {
        report.SpinEdit1->setValue(7);
        dialogs.answerPrinter(false);
        report.Button1->click();
        dialogs.answerPrinter(true);
        report.Button1->click();
        EXPECT_EQ(dialogs.calls().back().kind, MessageKind::Error);
        EXPECT_EQ(main.data().PrintLeftMargin, 7);
        EXPECT_TRUE(report.RichEdit1->isVisible() && report.result() != QDialog::Accepted);
        EXPECT_EQ(report.RichEdit1->toPlainText() + QLatin1Char('\n'), ReportText(main.data()));
        path = dir.filePath("text.pdf");
        dialogs.answerPrinter(true);
        report.Button1->click();
    });
    main.Printtext1Click();
    EXPECT_GT(PdfPages(path), 1);
    EXPECT_EQ(PdfCharacters(path), WithoutBlanks(ReportText(main.data())));
    EXPECT_TRUE(Poppler("pdfinfo", {path}).contains(QStringLiteral("Print text - arrangements")));
    // The next report is a fresh one and starts from the margin chosen in this one.
    main.data().Title = "Changed";
    AnswerDialog<Tprint_text>(dialogs, [](Tprint_text& report) {
        EXPECT_EQ(report.SpinEdit1->value(), 7);
        EXPECT_TRUE(report.RichEdit1->toPlainText().contains(QStringLiteral("\nChanged\n")));
    });
    main.Printtext1Click();
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    ASSERT_EQ(found.size(), 7u);
    for (std::size_t i = 1; i < found.size(); ++i) {
        EXPECT_EQ(found[i].first, QPageLayout::Landscape) << i;
        EXPECT_EQ(found[i].second, found[0].second) << "the page's own resolution stays its own";
    }
    EXPECT_TRUE(dialogs.allAnswered());
}

}  // namespace
}  // namespace kalven::testing
