#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/image_pixels.h"
#include "core/win1252.h"

namespace kalven {

namespace {

// Coordinates are held within this range before they become Qt rectangles, which cannot take
// the full int range; it is far beyond any screen or printer page.
constexpr std::int64_t kFar = std::int64_t{1} << 24;

int Held(std::int64_t v)
{
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

QPainter::CompositionMode Composition(PenMode mode)
{
    return mode == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination : QPainter::CompositionMode_SourceOver;
}

// The pixels of a rectangle or ellipse given by two corners: the right and bottom edges are
// left out. Empty when the box has no width or height.
QRect Box(int left, int top, int right, int bottom)
{
    const std::int64_t x0 = std::min(left, right), x1 = std::max(left, right);
    const std::int64_t y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x0 == x1 || y0 == y1)
        return {};
    return QRect(QPoint(Held(x0), Held(y0)), QPoint(Held(x1 - 1), Held(y1 - 1)));
}

// The part of a line inside `area`, by Liang and Barsky; false when it misses the area.
bool ClipLine(QPointF& from, QPointF& to, const QRectF& area)
{
    double t0 = 0, t1 = 1;
    const double dx = to.x() - from.x(), dy = to.y() - from.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x() - area.left(), area.right() - from.x(), from.y() - area.top(),
                         area.bottom() - from.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = from;
    from = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    to = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

QPointF ToPointF(LinePoint p)
{
    return QPointF(static_cast<double>(p.x), static_cast<double>(p.y));
}

}  // namespace

QColor ToQColor(ColorValue value, const QPalette& palette)
{
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
        case 5:  // window background
            return palette.color(QPalette::Base);
        case 7:  // menu text
        case 8:  // window text
            return palette.color(QPalette::Text);
        case 13:  // selection
            return palette.color(QPalette::Highlight);
        case 14:  // selected text
            return palette.color(QPalette::HighlightedText);
        case 15:  // button face
            return palette.color(QPalette::Button);
        case 16:  // button shadow
            return palette.color(QPalette::Dark);
        case 18:  // button text
            return palette.color(QPalette::ButtonText);
        case 20:  // button highlight
            return palette.color(QPalette::Light);
        case 23:  // tooltip text
            return palette.color(QPalette::ToolTipText);
        case 24:  // tooltip background
            return palette.color(QPalette::ToolTipBase);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The largest pixel size (the em height) whose character cell, ascent plus descent, is at most
// the given height: a font's cell is taller than its em by the face's leading.
int QtCanvas::PixelSizeForCell(QFont font, const QPaintDevice& device, int cell)
{
    const auto cellOf = [&](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font, &device).height();
    };
    // The em is never taller than the cell, so the search stays between 1 and the cell height.
    const long long first = cellOf(cell);
    int size = first > cell ? static_cast<int>(std::max(1LL, cell * static_cast<long long>(cell) / first)) : cell;
    while (size > 1 && cellOf(size) > cell)
        --size;
    while (size < cell && cellOf(size + 1) <= cell)
        ++size;
    return size;
}

QFont QtCanvas::DefaultFont(const QPaintDevice& device)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    // On the drawing image 8 points are taken at 96 dots per inch whatever the screen, so the labels
    // keep their place beside the raster lines; a printer page scales them with its resolution.
    if (device.devType() == QInternal::Image)
        font.setPixelSize(11);
    else
        font.setPointSize(8);
    return font;
}

QtCanvas::QtCanvas(QPaintDevice& device, QPalette palette)
    : device_(device), palette_(std::move(palette)), font_(DefaultFont(device))
{
    if (device.devType() == QInternal::Image)
        image_ = static_cast<QImage*>(&device);
}

QtCanvas::~QtCanvas()
{
    flush();
}

void QtCanvas::flush()
{
    if (painter_) {
        if (painter_->isActive())
            painter_->end();
        painter_.reset();
    }
}

QImage* QtCanvas::pixels()
{
    if (!image_ || !IsPixelImage(*image_))
        return nullptr;
    // Writing to a shared image detaches it; an open painter would go on drawing on the old copy.
    if (painter_ && !image_->isDetached())
        flush();
    return image_;
}

QPainter& QtCanvas::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&device_);
        painter_->setFont(font_);
    }
    return *painter_;
}

QRgb QtCanvas::rgb(ColorValue value) const
{
    return ToQColor(value, palette_).rgb() | 0xFF000000u;
}

QPen QtCanvas::qtPen() const
{
    QPen p(QColor::fromRgb(penRgb_));
    if (penWidth_ <= 1) {
        p.setWidth(0);  // cosmetic: one device pixel
        p.setCapStyle(Qt::FlatCap);
        if (penStyle_ == PenStyle::Dotted)
            p.setDashPattern({3, 3});
        else if (penStyle_ == PenStyle::Dashed)
            p.setDashPattern({18, 6});
        else if (penStyle_ == PenStyle::DashDot)
            p.setDashPattern({12, 4, 4, 4});
    } else {
        p.setWidth(penWidth_);
        p.setCapStyle(Qt::RoundCap);
        p.setJoinStyle(Qt::RoundJoin);
        if (penStyle_ == PenStyle::Dotted)
            p.setStyle(Qt::DotLine);
        else if (penStyle_ == PenStyle::Dashed)
            p.setStyle(Qt::DashLine);
        else if (penStyle_ == PenStyle::DashDot)
            p.setStyle(Qt::DashDotLine);
    }
    return p;
}

QBrush QtCanvas::qtBrush() const
{
    if (brushStyle_ == BrushStyle::Clear)
        return Qt::NoBrush;
    return QBrush(QColor::fromRgb(brushRgb_));
}

void QtCanvas::setPenColor(ColorValue color)
{
    penRgb_ = rgb(color);
}
void QtCanvas::setPenWidth(int width)
{
    penWidth_ = width;
}
void QtCanvas::setPenStyle(PenStyle style)
{
    penStyle_ = style;
}
void QtCanvas::setPenMode(PenMode mode)
{
    penMode_ = mode;
}
void QtCanvas::setBrushColor(ColorValue color)
{
    brushRgb_ = rgb(color);
    brushStyle_ = BrushStyle::Solid;
}
void QtCanvas::setBrushStyle(BrushStyle style)
{
    brushStyle_ = style;
}
void QtCanvas::setFontColor(ColorValue color)
{
    fontRgb_ = rgb(color);
}

int QtCanvas::fontHeight() const
{
    return QFontMetrics(font_, &device_).height();
}

void QtCanvas::setFontHeight(int pixels)
{
    if (pixels > 0) {
        font_.setPixelSize(PixelSizeForCell(font_, device_, pixels));
    } else {
        font_ = DefaultFont(device_);
    }
    textBoxes_.clear();
    if (painter_)
        painter_->setFont(font_);
}

void QtCanvas::rectangle(int left, int top, int right, int bottom)
{
    const QRect box = Box(left, top, right, bottom);
    if (box.isEmpty())
        return;
    QImage* image = pixels();
    if (image && penWidth_ <= 1) {
        const PixelPen pen{penRgb_, penStyle_, penMode_};
        const QRgb brush = brushRgb_;
        const QRect inside = box.adjusted(1, 1, -1, -1);
        // The frame over a fresh fill of the same colour needs no second fill inside.
        const bool filledAlready = penMode_ == PenMode::Copy && uniform_ && uniform_->color == brush &&
                                   uniform_->imageKey == image->cacheKey();
        if (brushStyle_ == BrushStyle::Solid && !inside.isEmpty() && !filledAlready)
            FillPixels(*image, inside, brush, penMode_);
        if (box.width() == 1 || box.height() == 1) {
            FillPixels(*image, box, pen.color, penMode_);
        } else {
            // Four sides, each leaving out its last pixel: every frame pixel is drawn exactly once.
            PlotLine(*image, box.topLeft(), box.topRight(), pen);
            PlotLine(*image, box.topRight(), box.bottomRight(), pen);
            PlotLine(*image, box.bottomRight(), box.bottomLeft(), pen);
            PlotLine(*image, box.bottomLeft(), box.topLeft(), pen);
        }
        const bool oneColour = penMode_ == PenMode::Copy && penStyle_ == PenStyle::Solid &&
                               brushStyle_ == BrushStyle::Solid && pen.color == brush;
        if (oneColour && box.contains(image->rect()))
            uniform_ = Uniform{brush, image->cacheKey()};
        else
            uniform_.reset();
        return;
    }
    uniform_.reset();
    QPainter& p = painter();
    p.setCompositionMode(Composition(penMode_));
    p.setPen(qtPen());
    p.setBrush(qtBrush());
    p.drawRect(box.x(), box.y(), box.width() - 1, box.height() - 1);
}

void QtCanvas::moveTo(std::int64_t x, std::int64_t y)
{
    pos_ = LinePoint(x, y);
}

void QtCanvas::lineTo(std::int64_t x, std::int64_t y)
{
    const LinePoint to(x, y);
    uniform_.reset();
    if (penWidth_ > 1) {
        wideLine(pos_, to);
    } else if (QImage* image = pixels()) {
        PlotLine(*image, pos_, to, PixelPen{penRgb_, penStyle_, penMode_});
    } else if (pos_ != to) {
        // A flat-capped cosmetic line leaves its end point out.
        // Cut in doubles, which hold every end within kLineReach exactly.
        QPointF from = ToPointF(pos_), end = ToPointF(to);
        const QRectF area(-2.0, -2.0, device_.width() + 4.0, device_.height() + 4.0);
        if (ClipLine(from, end, area)) {
            QPainter& p = painter();
            p.setCompositionMode(Composition(penMode_));
            p.setPen(qtPen());
            p.drawLine(from, end);
        }
    }
    pos_ = to;
}

void QtCanvas::wideLine(LinePoint from, LinePoint to)
{
    // A wide pen covers its end point with a round cap, as the platform's wide lines do.
    if (QImage* image = pixels();
        image && penMode_ == PenMode::Copy && penStyle_ == PenStyle::Solid && penWidth_ <= 4) {
        PlotWideLine(*image, from, to, penWidth_, penRgb_);
        return;
    }
    QPointF a = ToPointF(from), b = ToPointF(to);
    const double margin = penWidth_ + 2.0;
    const QRectF area(-margin, -margin, device_.width() + 2 * margin, device_.height() + 2 * margin);
    if (!ClipLine(a, b, area))
        return;
    QPainter& p = painter();
    p.setCompositionMode(Composition(penMode_));
    p.setPen(qtPen());
    p.drawLine(a, b);
}

void QtCanvas::ellipse(int left, int top, int right, int bottom)
{
    const double x0 = std::min(left, right), x1 = std::max(left, right);
    const double y0 = std::min(top, bottom), y1 = std::max(top, bottom);
    if (x0 == x1 || y0 == y1)
        return;
    const QRectF shapeBox(x0, y0, x1 - x0 - 1, y1 - y0 - 1);
    const int reach = std::max(penWidth_, 1) + 1;
    const QRectF visible = shapeBox.adjusted(-reach, -reach, reach + 1, reach + 1)
                               .intersected(QRectF(0, 0, device_.width(), device_.height()));
    if (visible.isEmpty())
        return;
    uniform_.reset();
    QImage* image = pixels();
    if (image && penMode_ == PenMode::NotXor) {
        // Pen and brush are drawn together on a scratch shape first, so no pixel is combined twice.
        const QRect area = visible.toAlignedRect();
        QImage shape(area.size(), QImage::Format_ARGB32_Premultiplied);
        shape.fill(Qt::transparent);
        QPainter sp(&shape);
        sp.translate(-area.topLeft());
        sp.setPen(qtPen());
        sp.setBrush(qtBrush());
        sp.drawEllipse(shapeBox);
        sp.end();
        ApplyShape(*image, shape, area.topLeft(), penMode_);
        return;
    }
    QPainter& p = painter();
    p.setCompositionMode(Composition(penMode_));
    p.setPen(qtPen());
    p.setBrush(qtBrush());
    p.drawEllipse(shapeBox);
}

void QtCanvas::textOut(int x, int y, const std::string& text)
{
    if (text.empty() || x >= device_.width() || y >= device_.height() || x < -kFar || y < -kFar)
        return;
    uniform_.reset();
    const QString s = FromWin1252(text);
    if (QImage* image = pixels(); image && brushStyle_ == BrushStyle::Solid) {
        opaqueText(*image, x, y, s);
        return;
    }
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QFontMetrics metrics = p.fontMetrics();
    if (brushStyle_ == BrushStyle::Solid)
        p.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), QColor::fromRgb(brushRgb_));
    p.setPen(QColor::fromRgb(fontRgb_));
    p.drawText(QPoint(x, y + metrics.ascent()), s);
}

void QtCanvas::opaqueText(QImage& image, int x, int y, const QString& text)
{
    // The raster labels come back at every redraw: each is laid out and drawn once, then copied.
    const TextBoxKey key{text, fontRgb_, brushRgb_};
    auto found = textBoxes_.constFind(key);
    if (found == textBoxes_.constEnd()) {
        if (textBoxes_.size() > 1024)
            textBoxes_.clear();
        const QFontMetrics metrics(font_, &device_);
        QImage box(metrics.horizontalAdvance(text), metrics.height(), QImage::Format_RGB32);
        box.fill(key.brush);
        QPainter p(&box);
        p.setFont(font_);
        p.setPen(QColor::fromRgb(key.font));
        p.drawText(QPoint(0, metrics.ascent()), text);
        p.end();
        found = textBoxes_.insert(key, box);
    }
    CopyBlock(image, *found, QPoint(x, y));
}

}  // namespace kalven
