// The report window, Print text and Print graphic, printed into PDF files.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <stdexcept>

#include "analysis/text_report.h"
#include "analysis/windows/unit3_print_text.h"
#include "core/windows/vstup1_wall.h"
#include "platform/win1252.h"
#include "printout/two_area_example.h"
#include "support/fake_user_dialogs.h"
#include "windows/pdf_output.h"

namespace kalven::testing {
namespace {

ProjectData ComputedExample()
{
    ProjectData data = TwoAreaExample();
    data.Title = "Retaining wall";
    data.LoadAreaData[1].Text = "Soil";
    ComputeOnScreen(data);
    return data;
}

// All twenty areas in use: the report runs over two pages.
ProjectData TwentyAreas()
{
    ProjectData data;
    for (int i = 1; i <= kAreaCount; ++i) {
        const double x = i - 1;
        SetOutline(data, i, {{x, 0}, {x + 1, 0}, {x + 1, 1}, {x, 1}, {x, 0}});
        data.LoadAreaData[i].Text = "Area " + std::to_string(i);
    }
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

bool BoldAt(QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().contains(position))
            return it.fragment().charFormat().fontWeight() == QFont::Bold;
    }
    return false;
}

TEST(ReportWindow, ShowsTheReportAsBuiltWithABoldTitle)
{
    ProjectData data = ComputedExample();
    FakeUserDialogs dialogs;
    Tprint_text window(data, dialogs);
    EXPECT_EQ(window.windowTitle(), QStringLiteral(" Print text - arrangements"));
    EXPECT_EQ(window.size(), QSize(632, 480));
    EXPECT_EQ(window.RichEdit1->toPlainText() + QLatin1Char('\n'), ReportText(data));
    EXPECT_TRUE(window.RichEdit1->isReadOnly());
    EXPECT_EQ(window.RichEdit1->lineWrapMode(), QTextEdit::NoWrap);
    const QFont font = window.RichEdit1->document()->defaultFont();
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    EXPECT_EQ(font.pointSize(), 8);
    EXPECT_EQ(window.Label1->text(), QStringLiteral("Left margin"));
    EXPECT_EQ(window.Button1->text(), QStringLiteral("OK"));
    EXPECT_EQ(window.SpinEdit1->value(), 14);
    EXPECT_EQ(window.SpinEdit1->minimum(), 0);
    EXPECT_EQ(window.SpinEdit1->maximum(), 30);

    // Character 164 counted with two characters per line break is 158 in the view.
    QTextDocument& view = *window.RichEdit1->document();
    EXPECT_EQ(view.findBlockByNumber(6).position(), 158);
    EXPECT_FALSE(BoldAt(view, 156));
    for (int k = 0; k < 14; ++k)
        EXPECT_TRUE(BoldAt(view, 158 + k)) << k;
    EXPECT_FALSE(BoldAt(view, 158 + 15));  // the next line
    EXPECT_FALSE(BoldAt(view, 60));
}

TEST(ReportWindow, PrintedReportIsTenPointsWithTheMarginInFrontOfEveryLine)
{
    ProjectData data = ComputedExample();
    FakeUserDialogs dialogs;
    Tprint_text window(data, dialogs);
    const auto lines = BuildTextReport(data);
    for (int margin : {0, 30}) {
        const auto report = window.printedReport(margin);
        ASSERT_EQ(report->blockCount(), static_cast<int>(lines.size()));
        int k = 0;
        for (QTextBlock block = report->begin(); block.isValid(); block = block.next(), ++k) {
            EXPECT_EQ(block.text(), QString(margin, QLatin1Char(' ')) + FromWin1252(lines[static_cast<std::size_t>(k)]));
            for (auto it = block.begin(); !it.atEnd(); ++it)
                EXPECT_EQ(it.fragment().charFormat().font().pointSize(), 10);
        }
        EXPECT_TRUE(BoldAt(*report, report->findBlockByNumber(6).position() + margin));
    }
}

TEST(ReportWindow, CancelledSetUpKeepsTheReportAndTheNextOkAddsTheMarginOnce)
{
    QTemporaryDir dir;
    ProjectData data = ComputedExample();
    PdfPrinterDialogs dialogs(dir.filePath("margin0.pdf"));
    {
        Tprint_text reference(data, dialogs);
        reference.SpinEdit1->setValue(0);
        dialogs.answerPrinter(true);
        reference.Button1Click();
    }
    dialogs.setPath(dir.filePath("margin30.pdf"));
    Tprint_text window(data, dialogs);
    window.show();
    window.SpinEdit1->setValue(30);
    dialogs.answerPrinter(false);
    window.Button1Click();
    EXPECT_EQ(data.PrintLeftMargin, 30);
    EXPECT_FALSE(QFile::exists(dir.filePath("margin30.pdf")));
    EXPECT_TRUE(window.RichEdit1->isVisible());
    EXPECT_EQ(window.RichEdit1->toPlainText() + QLatin1Char('\n'), ReportText(data));
    EXPECT_NE(window.result(), QDialog::Accepted);

    dialogs.answerPrinter(true);
    window.Button1Click();
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.allAnswered());

    // The header line's first letter stands 30 characters further right than without a margin.
    const auto first = [](const std::vector<PdfWord>& words) {
        for (std::size_t k = 0; k + 1 < words.size(); ++k) {
            if (words[k].text == "K" && words[k + 1].text == "A")
                return std::pair{words[k].xMin, words[k + 1].xMin - words[k].xMin};
        }
        return std::pair{0.0, 0.0};
    };
    const auto [plainX, twoCharacters] = first(PdfWords(dir.filePath("margin0.pdf")));
    const auto [marginX, unused] = first(PdfWords(dir.filePath("margin30.pdf")));
    ASSERT_GT(twoCharacters, 0);
    EXPECT_NEAR(marginX - plainX, 15 * twoCharacters, 0.5);
}

TEST(ReportWindow, PrintsEveryCharacterOnAsManyPagesAsNeededWithoutPageNumbers)
{
    QTemporaryDir dir;
    ProjectData data = TwentyAreas();
    PdfPrinterDialogs dialogs(dir.filePath("a5.pdf"), QPageSize(QPageSize::A5));
    {
        Tprint_text window(data, dialogs);
        window.SpinEdit1->setValue(0);
        dialogs.answerPrinter(true);
        window.Button1Click();
    }
    EXPECT_EQ(PdfPages(dir.filePath("a5.pdf")), 2);
    EXPECT_TRUE(Poppler("pdfinfo", {dir.filePath("a5.pdf")}).contains(QStringLiteral("Print text - arrangements")));
    EXPECT_EQ(WithoutBlanks(PdfText(dir.filePath("a5.pdf"))), WithoutBlanks(ReportText(data)));

    // On a small page the wide lines go on in the next printed line; nothing is cut off.
    PdfPrinterDialogs small(dir.filePath("a6.pdf"), QPageSize(QPageSize::A6));
    {
        Tprint_text window(data, small);
        window.SpinEdit1->setValue(30);
        small.answerPrinter(true);
        window.Button1Click();
    }
    EXPECT_GT(PdfPages(dir.filePath("a6.pdf")), 2);
    EXPECT_EQ(WithoutBlanks(PdfText(dir.filePath("a6.pdf"))), WithoutBlanks(ReportText(data)));
}

TEST(PrintCommands, PrintTextOpensAFreshReportAndKeepsTheMarginBetweenWindows)
{
    FakeUserDialogs dialogs;
    Tvstupy main(dialogs);
    main.data().Idle = false;
    main.Printtext1Click();
    EXPECT_TRUE(dialogs.calls().empty());

    main.data().Idle = true;
    dialogs.answerModal([&](QDialog& dialog) {
        auto& report = dynamic_cast<Tprint_text&>(dialog);
        EXPECT_EQ(report.SpinEdit1->value(), 14);
        report.SpinEdit1->setValue(7);
        report.Button1->click();
        return false;
    });
    dialogs.answerPrinter(false);
    main.Printtext1Click();
    EXPECT_EQ(main.data().PrintLeftMargin, 7);

    main.data().Title = "Changed";
    dialogs.answerModal([&](QDialog& dialog) {
        auto& report = dynamic_cast<Tprint_text&>(dialog);
        EXPECT_EQ(report.SpinEdit1->value(), 7);
        EXPECT_TRUE(report.RichEdit1->toPlainText().contains(QStringLiteral("\nChanged\n")));
        return false;
    });
    main.Printtext1Click();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(dialogs.calls()[0].text, QStringLiteral(" Print text - arrangements"));
}

TEST(PrintCommands, PrintGraphicPrintsOnePageOrNothing)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath("page.pdf");
    PdfPrinterDialogs dialogs(pdf);
    Tvstupy main(dialogs);
    main.data() = ComputedExample();

    main.data().Idle = false;
    main.Printgraphic1Click();
    EXPECT_TRUE(dialogs.calls().empty());

    main.data().Idle = true;
    dialogs.answerPrinter(false);
    main.Printgraphic1Click();
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    EXPECT_EQ(PdfPages(pdf), 1);
    const QString text = PdfText(pdf).simplified();
    for (const char* expected : {"Retaining wall", "KALVEN devs", "KALVEN V 1.0", "Resultant force 56.57 kN",
                                 "Xs = 1.00 m", "Ys = 0.50 m", "Angle 315.00\u00B0"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_EQ(main.data().ResultantForce, ComputedExample().ResultantForce);  // nothing changed

    // A job the printing service refuses reaches the general error report.
    dialogs.setPath(dir.filePath("no/such/folder/page.pdf"));
    dialogs.answerPrinter(true);
    EXPECT_THROW(main.Printgraphic1Click(), std::runtime_error);
}

}  // namespace
}  // namespace kalven::testing
