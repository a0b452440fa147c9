// Both printouts on a real print server: with_private_cups.sh starts a cupsd of its own with a
// cups-pdf queue and names the queue and the folder the queue's PDF files land in. cups-pdf's
// glyphs do not read back as letters, so the printouts are measured as pictures of their ink.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTransform>
#include <algorithm>
#include <map>

#include "support/started_window.h"
#include "windows/pdf_output.h"
#include "windows/unit3_print_text.h"

namespace kalven::testing {
namespace {

const QString kQueue = qEnvironmentVariable("KALVEN_CUPS_QUEUE");

// The widths of the inked lines of the pages of a PDF file pictured at `dpi` (a landscape page
// turned back from the portrait paper it comes on), page by page, top to bottom. Ink that starts
// less than `join` rows below the top of a line, as the second stroke of "=", belongs to that line.
std::vector<int> InkedLineWidths(const QString& pdf, int dpi, int join)
{
    QTemporaryDir dir;
    Poppler("pdftoppm", {"-r", QString::number(dpi), "-gray", pdf, dir.filePath("p")});
    std::vector<int> widths;
    for (const QFileInfo& file : QDir(dir.path()).entryInfoList({"p*.pgm"}, QDir::Files, QDir::Name)) {
        QImage page = QImage(file.filePath()).convertToFormat(QImage::Format_Grayscale8);
        if (page.height() > page.width())
            page = page.transformed(QTransform().rotate(90));
        int top = -join, left = 0, right = -1;
        bool inked = false;
        for (int y = 0; y < page.height(); ++y) {
            int l = page.width(), r = -1;
            for (int x = 0; x < page.width(); ++x)
                if (page.constScanLine(y)[x] < 128)
                    l = std::min(l, x), r = x;
            if (r >= 0 && !inked && y - top >= join) {
                if (right >= 0)
                    widths.push_back(right - left + 1);
                top = y, left = l, right = r;
            }
            left = std::min(left, l), right = std::max(right, r);
            inked = r >= 0;
        }
        if (right >= 0)
            widths.push_back(right - left + 1);
    }
    return widths;
}

class CupsQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (kQueue.isEmpty())
            GTEST_SKIP() << "runs only on the print server that with_private_cups.sh starts";
        dialogs.setUp = [this](QPrinter& printer) {  // the queue picked by name, printed through the server
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(kQueue);
            printer.setPageSize(paper);
            printer.setPageOrientation(turn);
        };
    }
    void TearDown() override { QFile::remove(pdf); }

    // The PDF file of the job just sent, once the queue has finished it; empty after a minute.
    QString finishedPdf()
    {
        QElapsedTimer clock;
        clock.start();
        for (; pdf.isEmpty() && clock.elapsed() < 60000; QThread::msleep(200)) {
            const auto files = QDir(qEnvironmentVariable("KALVEN_CUPS_OUT")).entryInfoList({"*.pdf"}, QDir::Files);
            if (!files.isEmpty() && Poppler("lpstat", {"-o", kQueue}).isEmpty())
                pdf = files.front().filePath();
        }
        return pdf;
    }

    QPageSize paper{QPageSize::A4};
    QPageLayout::Orientation turn = QPageLayout::Portrait;
    PrinterDialogs dialogs;
    QString pdf;
};

TEST_F(CupsQueue, PrintGraphicSetsTheResultLinesAbout80PixelsOf600DotsAnInchApart)
{
    Tvstupy main(dialogs);
    main.data() = ComputedExample();
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    ASSERT_FALSE(finishedPdf().isEmpty()) << "the queue made no PDF file";

    // The glyphs' boxes stand where they were printed: the four result lines are the only texts
    // that start at one x four times. Positions in pixels of 600 dots an inch (72 points an inch).
    std::map<int, std::vector<int>> topsByStart;
    const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\""));
    for (const auto& box : word.globalMatch(Poppler("pdftotext", {"-bbox", pdf, "-"})))
        topsByStart[qRound(box.captured(1).toDouble() * 600 / 72)].push_back(
            qRound(box.captured(2).toDouble() * 600 / 72));
    const auto lines = std::find_if(topsByStart.begin(), topsByStart.end(),
                                    [](const auto& start) { return start.second.size() == 4; });
    ASSERT_NE(lines, topsByStart.end()) << "no four lines start at one x";
    std::sort(lines->second.begin(), lines->second.end());
    for (std::size_t m = 1; m < 4; ++m)
        EXPECT_NEAR(lines->second[m] - lines->second[m - 1], 80, 2) << m;
}

TEST_F(CupsQueue, PrintTextPrintsEveryReportLineOnceInOrder)
{
    paper = QPageSize(QPageSize::A5);
    turn = QPageLayout::Landscape;
    Tvstupy main(dialogs);
    main.data() = ComputedExample(20);
    AnswerDialog<Tprint_text>(dialogs, [](Tprint_text& report) { report.Button1->click(); });
    dialogs.answerPrinter(true);
    main.Printtext1Click();
    ASSERT_FALSE(finishedPdf().isEmpty()) << "the queue made no PDF file";
    EXPECT_GT(PdfPages(pdf), 1);

    // Each line with ink is as wide as its characters from the first to the last inked one, of
    // 10 points at a fixed pitch of 0.6 em (0.602 in DejaVu); the lines stand about 24 pixels apart.
    constexpr int kDpi = 150;
    constexpr double kPitch = 10 * 0.6 * kDpi / 72;
    std::vector<int> expected;
    for (const std::string& line : BuildTextReport(main.data()))
        if (const QString text = FromWin1252(line).trimmed(); !text.isEmpty())
            expected.push_back(static_cast<int>(text.size()));
    const std::vector<int> printed = InkedLineWidths(pdf, kDpi, 10);
    ASSERT_EQ(printed.size(), expected.size()) << "a line printed twice, left out or broken";
    for (std::size_t k = 0; k < printed.size(); ++k)  // the end glyphs fill from a little to all of their cells
        EXPECT_TRUE(printed[k] > (expected[k] - 1) * kPitch && printed[k] < expected[k] * kPitch * 1.01 + 2)
            << "line " << k << ": " << printed[k] << " pixels for " << expected[k] << " characters";
}

}  // namespace
}  // namespace kalven::testing
