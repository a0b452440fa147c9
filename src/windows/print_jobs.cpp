#include "windows/print_jobs.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPalette>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <stdexcept>

#include "core/project_data.h"
#include "platform/graphic_page.h"

namespace kalven {

namespace {

constexpr const char* kJobRefused = "The printer could not start the print job.";

bool Refused(const QPrinter& printer)
{
    return printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted;
}

}  // namespace

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
    // The printer's own resolution comes back afterwards, for the next printout on it.
    struct ResolutionKept {
        QPrinter& printer;
        const int resolution = printer.resolution();
        ~ResolutionKept() { printer.setResolution(resolution); }
    } kept{printer};
    printer.setResolution(kGraphicPageResolution);
    // Once the printing service has refused the job, the page stops instead of drawing the rest
    // into nothing. The check follows the step, which begins the job, so the state a refused
    // earlier job left on the printer does not count.
    PaintGraphicPage(printer, data, palette, [&printer] {
        if (Refused(printer))
            throw std::runtime_error(kJobRefused);
    });
}

}  // namespace kalven
