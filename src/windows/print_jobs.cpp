#include "windows/print_jobs.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <stdexcept>

#include "core/project_data.h"
#include "platform/qt_canvas.h"
#include "printout/graphic_printout.h"

namespace kalven {

namespace {

constexpr int kPageResolution = 600;
constexpr const char* kJobRefused = "The printer could not start the print job.";

bool Refused(const QPrinter& printer)
{
    return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted;
}

// The page canvas of a print job: once the printing service has refused the job, the drawing
// step stops the printout instead of drawing the rest of the page into nothing. The check follows
// the step, which begins the job, so the state a refused earlier job left on the printer does not count.
class PrintJobCanvas : public Canvas {
public:
    PrintJobCanvas(QPrinter& printer, const QPalette& palette) : printer_(printer), page_(printer, palette) {}

    void setPenColor(ColorValue color) override { page_.setPenColor(color); }
    void setPenWidth(int width) override { page_.setPenWidth(width); }
    void setPenStyle(PenStyle style) override { page_.setPenStyle(style); }
    void setPenMode(PenMode mode) override { page_.setPenMode(mode); }
    void setBrushColor(ColorValue color) override { page_.setBrushColor(color); }
    void setBrushStyle(BrushStyle style) override { page_.setBrushStyle(style); }
    void setFontColor(ColorValue color) override { page_.setFontColor(color); }
    int fontHeight() const override { return page_.fontHeight(); }
    void setFontHeight(int pixels) override { page_.setFontHeight(pixels); }
    void moveTo(std::int64_t x, std::int64_t y) override { page_.moveTo(x, y); }

    void rectangle(int left, int top, int right, int bottom) override
    {
        page_.rectangle(left, top, right, bottom);
        check();
    }
    void lineTo(std::int64_t x, std::int64_t y) override
    {
        page_.lineTo(x, y);
        check();
    }
    void ellipse(int left, int top, int right, int bottom) override
    {
        page_.ellipse(left, top, right, bottom);
        check();
    }
    void textOut(int x, int y, const std::string& text) override
    {
        page_.textOut(x, y, text);
        check();
    }

    // Ends the job, which prints the page.
    void finish()
    {
        page_.flush();
        check();
    }

private:
    void check() const
    {
        if (Refused(printer_))
            throw std::runtime_error(kJobRefused);
    }

    QPrinter& printer_;
    QtCanvas page_;
};

QPrinter* programPrinter = nullptr;

void DeleteProgramPrinter()
{
    delete programPrinter;
    programPrinter = nullptr;
}

}  // namespace

QPrinter& ProgramPrinter()
{
    if (!programPrinter) {
        programPrinter = new QPrinter(QPrinter::HighResolution);
        // Gone with the application, before the printing service it talks to.
        qAddPostRoutine(DeleteProgramPrinter);
    }
    return *programPrinter;
}

void PrintDocument(QPrinter& printer, QTextDocument& document, const QString& jobTitle)
{
    printer.setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        throw std::runtime_error(kJobRefused);

    // Laid out in printer pixels, as wide as the printable area, without margins of its own and
    // as one long page: the pages are broken below.
    document.documentLayout()->setPaintDevice(&printer);
    document.setDocumentMargin(0);
    QTextOption wrap = document.defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrap);
    document.setTextWidth(printer.width());

    // Every printed line goes on exactly one page, the first with room for its whole height, and
    // is drawn by itself: a page cut out of the document with a clip would also carry the glyphs
    // of the lines beside it that some faces let reach beyond their line.
    painter.setPen(Qt::black);  // paper, whatever the screen's colours
    const qreal pageHeight = printer.height();
    qreal pageTop = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QPointF origin = document.documentLayout()->blockBoundingRect(block).topLeft();
        const QTextLayout* layout = block.layout();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const qreal top = origin.y() + line.y();
            if (top > pageTop && top + line.height() > pageTop + pageHeight) {
                if (!printer.newPage())
                    throw std::runtime_error(kJobRefused);
                pageTop = top;
            }
            line.draw(&painter, origin - QPointF(0, pageTop));
        }
    }
    painter.end();
}

void PrintGraphicPage(QPrinter& printer, const ProjectData& data, const QPalette& palette)
{
    // The page's pen widths and text offsets are device pixels made for a printer of about
    // 600 dots per inch; at the 1200 that a PDF file and a CUPS printer come up with, the 8-point
    // result lines, 80 pixels apart, would overlap. Every page is therefore laid out at 600.
    // The printer's own resolution comes back afterwards, for the next printout on it.
    struct ResolutionKept {
        QPrinter& printer;
        const int resolution = printer.resolution();
        ~ResolutionKept() { printer.setResolution(resolution); }
    } kept{printer};
    printer.setResolution(kPageResolution);
    {
        PrintJobCanvas page(printer, palette);
        DrawGraphicPage(page, data, printer.width(), printer.height());
        page.finish();
    }
}

}  // namespace kalven
