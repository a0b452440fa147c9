#include "platform/graphic_page.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>

#include "core/project_data.h"
#include "platform/qt_canvas.h"
#include "printout/graphic_printout.h"

namespace kalven {

namespace {

// The page canvas with a check after every step that puts something on the page.
class CheckedCanvas : public Canvas {
public:
    CheckedCanvas(QPaintDevice& device, const QPalette& palette, const std::function<void()>& afterStep)
        : page_(device, palette), afterStep_(afterStep)
    {
    }

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

    void finish()
    {
        page_.flush();
        check();
    }

private:
    void check() const
    {
        if (afterStep_)
            afterStep_();
    }

    QtCanvas page_;
    const std::function<void()>& afterStep_;
};

}  // namespace

void PaintGraphicPage(QPagedPaintDevice& device, const ProjectData& data, const QPalette& palette,
                      const std::function<void()>& afterStep)
{
    Q_ASSERT(device.logicalDpiX() == kGraphicPageResolution);
    CheckedCanvas page(device, palette, afterStep);
    DrawGraphicPage(page, data, device.width(), device.height());
    page.finish();
}

QByteArray GraphicPagePdf(const ProjectData& data, const QPageLayout& page, const QPalette& palette)
{
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kGraphicPageResolution);
        pdf.setPageLayout(page);
        PaintGraphicPage(pdf, data, palette);
    }
    return bytes;
}

}  // namespace kalven
