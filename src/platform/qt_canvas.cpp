#include "platform/qt_canvas.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include "platform/win1252.h"

namespace kalven {

QColor ToQColor(ColorValue value, const QPalette& palette)
{
    if (value & 0x80000000u) {
        switch (value & 0xFFu) {
        case 5:  // window background
            return palette.color(QPalette::Base);
        case 8:  // window text
            return palette.color(QPalette::Text);
        case 15:  // button face
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QtCanvas::QtCanvas(QPaintDevice& device, QPalette palette) : device_(device), palette_(std::move(palette)) {}

QtCanvas::~QtCanvas()
{
    flush();
}

void QtCanvas::flush()
{
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
}

QPainter& QtCanvas::painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&device_);
        if (fontHeight_ > 0) {
            QFont font = painter_->font();
            font.setPixelSize(fontHeight_);
            painter_->setFont(font);
        }
    }
    painter_->setCompositionMode(penMode_ == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                              : QPainter::CompositionMode_SourceOver);
    return *painter_;
}

QPen QtCanvas::pen() const
{
    QPen p(ToQColor(penColor_, palette_));
    p.setWidth(penWidth_ <= 1 ? 0 : penWidth_);
    switch (penStyle_) {
    case PenStyle::Dotted:
        p.setStyle(Qt::DotLine);
        break;
    case PenStyle::Dashed:
        p.setStyle(Qt::DashLine);
        break;
    case PenStyle::Solid:
        break;
    }
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

QBrush QtCanvas::brush() const
{
    if (brushStyle_ == BrushStyle::Clear)
        return Qt::NoBrush;
    return QBrush(ToQColor(brushColor_, palette_));
}

void QtCanvas::setPenColor(ColorValue color) { penColor_ = color; }
void QtCanvas::setPenWidth(int width) { penWidth_ = width; }
void QtCanvas::setPenStyle(PenStyle style) { penStyle_ = style; }
void QtCanvas::setPenMode(PenMode mode) { penMode_ = mode; }
void QtCanvas::setBrushColor(ColorValue color)
{
    brushColor_ = color;
    brushStyle_ = BrushStyle::Solid;
}
void QtCanvas::setBrushStyle(BrushStyle style) { brushStyle_ = style; }
void QtCanvas::setFontColor(ColorValue color) { fontColor_ = color; }

int QtCanvas::fontHeight() const
{
    if (fontHeight_ > 0)
        return fontHeight_;
    QFont font;
    return QFontMetrics(font, &device_).height();
}

void QtCanvas::setFontHeight(int pixels)
{
    fontHeight_ = pixels;
    if (painter_) {
        QFont font = painter_->font();
        font.setPixelSize(pixels > 0 ? pixels : 11);
        painter_->setFont(font);
    }
}

void QtCanvas::rectangle(int left, int top, int right, int bottom)
{
    QPainter& p = painter();
    p.setPen(pen());
    p.setBrush(brush());
    p.drawRect(left, top, right - left - 1, bottom - top - 1);
}

void QtCanvas::moveTo(int x, int y)
{
    pos_ = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y)
{
    QPainter& p = painter();
    p.setPen(pen());
    p.drawLine(pos_, QPoint(x, y));
    pos_ = QPoint(x, y);
}

void QtCanvas::ellipse(int left, int top, int right, int bottom)
{
    QPainter& p = painter();
    p.setPen(pen());
    p.setBrush(brush());
    p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QtCanvas::textOut(int x, int y, const std::string& text)
{
    QPainter& p = painter();
    const QString s = FromWin1252(text);
    const QFontMetrics metrics(p.font(), &device_);
    const QRect box(x, y, metrics.horizontalAdvance(s), metrics.height());
    if (brushStyle_ == BrushStyle::Solid)
        p.fillRect(box, ToQColor(brushColor_, palette_));
    p.setPen(ToQColor(fontColor_, palette_));
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, s);
}

}  // namespace kalven
