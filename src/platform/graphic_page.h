#pragma once
// The graphic page on a paged device: the printer of Print graphic and the PDF file of
// kalven-report draw it through the one function below, so both give the same page.

#include <QByteArray>
#include <functional>

class QPageLayout;
class QPagedPaintDevice;
class QPalette;

namespace kalven {

struct ProjectData;

// The page's pen widths and text offsets are device pixels made for about 600 dots per inch; at
// the 1200 that a PDF file and a CUPS printer come up with, the 8-point result lines, 80 pixels
// apart, would overlap. Every graphic page is therefore laid out at 600.
inline constexpr int kGraphicPageResolution = 600;

// Draws the graphic page over the printable area of the device's page and ends the page. The
// device's resolution must be kGraphicPageResolution. `afterStep`, when given, runs after each
// drawing step and after the page has ended; it throws to stop the page (a refused print job).
void PaintGraphicPage(QPagedPaintDevice& device, const ProjectData& data, const QPalette& palette,
                      const std::function<void()>& afterStep = {});

// The graphic page as a complete one-page PDF file on the given page.
QByteArray GraphicPagePdf(const ProjectData& data, const QPageLayout& page, const QPalette& palette);

}  // namespace kalven
