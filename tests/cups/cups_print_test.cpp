// Both printouts on a real print server: with_private_cups.sh starts a cupsd of its own with a
// cups-pdf queue and names the queue and the folder the queue's PDF files land in.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <QTransform>

#include "analysis/text_report.h"
#include "windows/unit3_print_text.h"
#include "core/win1252.h"
#include "support/load_area_fixture.h"
#include "support/screen_computation.h"
#include "support/started_window.h"
#include "windows/pdf_output.h"

namespace kalven::testing {
namespace {

const QString kQueue = qEnvironmentVariable("KALVEN_CUPS_QUEUE");
const QString kOut = qEnvironmentVariable("KALVEN_CUPS_OUT");

// The set-up dialog as a person uses it: the queue picked by name, printed through the server,
// and a paper of the person's choice.
class QueueDialogs : public FakeUserDialogs {
public:
    explicit QueueDialogs(QPageSize paper = QPageSize(QPageSize::A4),
                          QPageLayout::Orientation turn = QPageLayout::Portrait)
        : paper_(std::move(paper)), turn_(turn)
    {
    }
    bool printerSetup(QPrinter& printer) override
    {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(kQueue);
        printer.setPageSize(paper_);
        printer.setPageOrientation(turn_);
        return FakeUserDialogs::printerSetup(printer);
    }

private:
    QPageSize paper_;
    QPageLayout::Orientation turn_;
};

// The PDF file of the job just sent, once the queue has finished it; empty after a minute.
QString FinishedPdf()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const QFileInfoList files = QDir(kOut).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        if (!files.isEmpty() && Poppler("lpstat", {"-o", kQueue}).isEmpty())
            return files.front().filePath();
        QThread::msleep(200);
    }
    return {};
}

ProjectData ComputedExample(int areas)
{
    ProjectData data = TwoAreaExample();
    data.Title = "Retaining wall";
    for (int i = 3; i <= areas; ++i)
        SetOutline(data, i, {{8.0 + i, 3}, {9.0 + i, 3}, {9.0 + i, 4}, {8.0 + i, 3}});
    ComputeOnScreen(data);
    return data;
}

struct Band {
    int top, left, right;
};

// The bands of inked rows of a picture, top to bottom, with the columns of their ink.
std::vector<Band> InkBands(const QImage& picture)
{
    std::vector<Band> bands;
    bool inBand = false;
    for (int y = 0; y < picture.height(); ++y) {
        const uchar* row = picture.constScanLine(y);
        const uchar* end = row + picture.width();
        const uchar* ink = std::find_if(row, end, [](uchar v) { return v < 128; });
        if (ink == end) {
            inBand = false;
            continue;
        }
        const int left = static_cast<int>(ink - row);
        const auto lastInk = std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(row),
                                          [](uchar v) { return v < 128; });
        const int right = static_cast<int>(lastInk.base() - row) - 1;
        if (!inBand)
            bands.push_back({y, left, right});
        bands.back().left = std::min(bands.back().left, left);
        bands.back().right = std::max(bands.back().right, right);
        inBand = true;
    }
    return bands;
}

// Gray pictures of the pages of a PDF file at `dpi`, or of the piece of its first page that the
// pdftoppm options `crop` cut out.
std::vector<QImage> Pictures(const QString& pdf, int dpi, const QStringList& crop = {})
{
    QTemporaryDir dir;
    Poppler("pdftoppm",
            QStringList{"-r", QString::number(dpi), "-gray"} + crop + QStringList{pdf, dir.filePath("page")});
    std::vector<QImage> pictures;
    for (const QFileInfo& file : QDir(dir.path()).entryInfoList({"page*.pgm"}, QDir::Files, QDir::Name))
        pictures.push_back(QImage(file.filePath()).convertToFormat(QImage::Format_Grayscale8));
    return pictures;
}

class CupsQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (kQueue.isEmpty())
            GTEST_SKIP() << "runs only on the print server that with_private_cups.sh starts";
    }
    void TearDown() override
    {
        if (!pdf.isEmpty())
            QFile::remove(pdf);
    }
    QString pdf;
};

TEST_F(CupsQueue, PrintGraphicSetsTheResultLinesAbout80PixelsOf600DotsAnInchApart)
{
    QueueDialogs dialogs;
    Tvstupy main(dialogs);
    main.data() = ComputedExample(2);
    dialogs.answerPrinter(true);
    main.Printgraphic1Click();
    pdf = FinishedPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "the queue made no PDF file";

    // cups-pdf's glyphs do not read back as letters, but their boxes stand where they were printed:
    // the four result lines are the only texts that start at one x four times. Positions in pixels
    // of 600 dots an inch (a PDF point is 1/72 inch).
    std::map<int, std::vector<int>> topsByStart;
    const QRegularExpression word(QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\""));
    for (const auto& box : word.globalMatch(Poppler("pdftotext", {"-bbox", pdf, "-"}))) {
        const int x = qRound(box.captured(1).toDouble() * 600 / 72);
        topsByStart[x].push_back(qRound(box.captured(2).toDouble() * 600 / 72));
    }
    const auto lines = std::find_if(topsByStart.begin(), topsByStart.end(),
                                    [](const auto& start) { return start.second.size() == 4; });
    ASSERT_NE(lines, topsByStart.end()) << "no four lines start at one x";

    // Those boxes are the fonts', not the ink's: the ink of the lines' first letters is measured on
    // a picture of them.
    const int top = *std::min_element(lines->second.begin(), lines->second.end()) - 40;
    const std::vector<Band> bands = InkBands(Pictures(pdf, 600, {"-x", QString::number(lines->first), "-y",
                                                                 QString::number(top), "-W", "60", "-H", "440"})
                                                 .at(0));
    ASSERT_EQ(bands.size(), 4u) << "the result lines run into each other";
    for (std::size_t m = 1; m < bands.size(); ++m)
        EXPECT_NEAR(bands[m].top - bands[m - 1].top, 80, 2) << m;
}

// The printed lines of a PDF file of landscape pages, page by page, as the ink width of each line
// in pixels at `dpi`. Bands of ink whose tops stand less than half the usual line distance apart,
// as the two strokes of "=", belong to one line.
std::vector<int> InkedLineWidths(const QString& pdf, int dpi)
{
    std::vector<std::vector<Band>> pages;
    std::vector<int> distances;
    for (QImage page : Pictures(pdf, dpi)) {
        if (page.height() > page.width())  // a landscape page comes back turned onto portrait paper
            page = page.transformed(QTransform().rotate(90));
        pages.push_back(InkBands(page));
        for (std::size_t k = 1; k < pages.back().size(); ++k)
            distances.push_back(pages.back()[k].top - pages.back()[k - 1].top);
    }
    std::nth_element(distances.begin(), distances.begin() + distances.size() / 2, distances.end());
    const int line = distances.empty() ? 0 : distances[distances.size() / 2];

    std::vector<int> widths;
    for (const std::vector<Band>& bands : pages)
        for (std::size_t k = 0; k < bands.size(); ++k) {
            Band merged = bands[k];
            while (k + 1 < bands.size() && 2 * (bands[k + 1].top - merged.top) < line) {
                ++k;
                merged.left = std::min(merged.left, bands[k].left);
                merged.right = std::max(merged.right, bands[k].right);
            }
            widths.push_back(merged.right - merged.left + 1);
        }
    return widths;
}

TEST_F(CupsQueue, PrintTextPrintsEveryReportLineOnceInOrder)
{
    QueueDialogs dialogs(QPageSize(QPageSize::A5), QPageLayout::Landscape);
    Tvstupy main(dialogs);
    main.data() = ComputedExample(20);
    AnswerDialog<Tprint_text>(dialogs, [](Tprint_text& report) { report.Button1->click(); });
    dialogs.answerPrinter(true);
    main.Printtext1Click();
    pdf = FinishedPdf();
    ASSERT_FALSE(pdf.isEmpty()) << "the queue made no PDF file";
    EXPECT_GT(PdfPages(pdf), 1);

    // The glyphs do not read back as letters; each line with ink is as wide as its characters from
    // the first to the last inked one, of 10 points at a fixed pitch of 0.6 em (0.602 in DejaVu).
    constexpr int kDpi = 150;
    constexpr double kPitch = 10 * 0.6 * kDpi / 72;
    std::vector<int> expected;
    for (const std::string& line : BuildTextReport(main.data())) {
        const QString text = FromWin1252(line).trimmed();
        if (!text.isEmpty())
            expected.push_back(static_cast<int>(text.size()));
    }
    const std::vector<int> printed = InkedLineWidths(pdf, kDpi);
    ASSERT_EQ(printed.size(), expected.size()) << "a line printed twice, left out or broken";
    for (std::size_t k = 0; k < printed.size(); ++k)  // the end glyphs fill from a little to all of their cells
        EXPECT_TRUE(printed[k] > (expected[k] - 1) * kPitch && printed[k] < expected[k] * kPitch * 1.01 + 2)
            << "line " << k << ": " << printed[k] << " pixels for " << expected[k] << " characters";
}

}  // namespace
}  // namespace kalven::testing
