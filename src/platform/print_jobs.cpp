#include "platform/print_jobs.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>
#include <stdexcept>

#include "core/project_data.h"
#include "platform/qt_canvas.h"
#include "printout/graphic_printout.h"

namespace kalven {

namespace {

constexpr int kPdfPageResolution = 600;
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

    // Laid out in printer pixels on pages of the printable area: no margins of its own, and with a
    // page size set the layout breaks pages itself and adds no page numbers.
    document.documentLayout()->setPaintDevice(&printer);
    document.setDocumentMargin(0);
    QTextOption wrap = document.defaultTextOption();
    wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(wrap);
    const QSizeF page(printer.width(), printer.height());
    document.setPageSize(page);

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);  // paper, whatever the screen's colours
    const int pages = document.pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0 && !printer.newPage())
            throw std::runtime_error(kJobRefused);
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        // A line that ends or starts right on the page break belongs to the page beside; one
        // pixel less at both ends keeps it from being drawn, unseen, on this one too.
        context.clip = view.adjusted(0, 1, 0, -1);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
}

void PrintGraphicPage(QPrinter& printer, const ProjectData& data, const QPalette& palette)
{
    // The page's pen widths and text offsets are device pixels made for a printer of about
    // 600 dots per inch; at the 1200 of a PDF file the 8-point result lines, 80 pixels apart,
    // would overlap. A PDF page is therefore laid out at 600.
    // The printer's own resolution comes back afterwards, for the next printout on it.
    struct ResolutionKept {
        QPrinter& printer;
        const int resolution = printer.resolution();
        ~ResolutionKept() { printer.setResolution(resolution); }
    } kept{printer};
    if (printer.outputFormat() == QPrinter::PdfFormat)
        printer.setResolution(kPdfPageResolution);
    {
        PrintJobCanvas page(printer, palette);
        DrawGraphicPage(page, data, printer.width(), printer.height());
        page.finish();
    }
}

}  // namespace kalven
