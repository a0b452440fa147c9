#include "drawing/polygon_input.h"

#include <cmath>

#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

void Line(Canvas& canvas, PixelPoint from, PixelPoint to)
{
    canvas.moveTo(from.x, from.y);
    canvas.lineTo(to.x, to.y);
}

// The band's end points use the rounding of the whole expression, which can differ by a row from
// the vertex pixel.
PixelPoint BandPixel(double x, double y, double s, int H)
{
    return {Round(x * s), Round(H - y * s - 1)};
}

}  // namespace

SnappedCoordinate SnapCoordinate(double raw, std::uint8_t rounding)
{
    if (rounding == 0)
        return {Round(raw * 100) / 100.0, F(raw, 3, 2)};
    const double t = raw * 10;
    const double f = std::fabs(t - std::trunc(t));
    const double value = (f < 0.25 || f >= 0.75) ? Round(t) / 10.0 : Trunc(t) / 10.0 + 0.05;
    return {value, F(value, 3, 2)};
}

bool ArmPolygonInput(ProjectData& data, StatusPanels& status, int area)
{
    if (data.AreaUsed[area])
        return false;
    data.InputMode = kInputModeLoadArea;
    data.Idle = false;
    data.CurrentArea = area;
    status.setPanelText(1, " Loaded area - input data");
    data.AreaUsed[area] = true;
    return true;
}

bool DeleteLoadArea(ProjectData& data, int area)
{
    if (!data.Idle || !data.AreaUsed[area])
        return false;
    data.Computed = false;
    data.VertexCount[area] = 0;
    data.AreaUsed[area] = false;
    for (int v = 1; v <= kVertexCapacity; ++v) {
        data.VertexX[v][area] = 0;
        data.VertexY[v][area] = 0;
    }
    return true;
}

bool TakeAreaButtonRelease(ProjectData& data)
{
    if (!data.Idle || !data.ReleaseAreaButton)
        return false;
    data.ReleaseAreaButton = false;
    return true;
}

PolygonInput::PolygonInput(ProjectData& data, Canvas& canvas, StatusPanels& status, int width, int height,
                           PixelPoint& bandAnchor, PixelPoint& bandEnd)
    : data_(data), canvas_(canvas), status_(status), W_(width), H_(height), bandAnchor_(bandAnchor), bandEnd_(bandEnd)
{
}

double PolygonInput::scale() const
{
    return Scale(W_, data_.AreaLength);
}

void PolygonInput::mouseMove(int spinArea, int x, int y)
{
    const double s = scale();
    const SnappedCoordinate cx = SnapCoordinate(RawX(x, s), data_.Rounding);
    const SnappedCoordinate cy = SnapCoordinate(RawY(y, s, H_), data_.Rounding);
    data_.CursorX = cx.value;
    data_.CursorY = cy.value;
    status_.setPanelText(0, "    X = " + cx.text + "      Y = " + cy.text);
    status_.setPanelText(1, "    Load area No." + I(spinArea, 2));
    if (data_.PolygonStarted) {
        // The pen is in not-xor mode here: the old band is drawn again to take it away.
        Line(canvas_, bandAnchor_, bandEnd_);
        Line(canvas_, bandAnchor_, {x, y});
        bandEnd_ = {x, y};
    }
}

ClickOutcome PolygonInput::mouseDown(MouseButton button, int x, int y)
{
    if (data_.InputMode != kInputModeLoadArea)
        return ClickOutcome::Ignored;
    canvas_.setFontColor(kBlack);
    if (button == MouseButton::Left)
        return addVertex(x, y);
    if (button == MouseButton::Right && data_.PolygonStarted) {
        closePolygon(x, y);
        return ClickOutcome::Closed;
    }
    return ClickOutcome::Ignored;
}

void PolygonInput::vertexMark(PixelPoint at)
{
    canvas_.ellipse(at.x - 3, at.y - 3, at.x + 3, at.y + 3);
}

ClickOutcome PolygonInput::addVertex(int x, int y)
{
    const int a = data_.CurrentArea;
    const double s = scale();
    const PixelPoint p = VertexPixel(data_.CursorX, data_.CursorY, s, H_);
    const ColorTable& colors = data_.ColorSettings;
    data_.Computed = false;
    // A point on or past the right edge is refused, and so is a 41st picked point. The first
    // vertex is always within the limit, whatever count an unused area holds.
    const bool room = !data_.PolygonStarted || data_.VertexCount[a] < kMaxPickedVertices;
    const bool inside = static_cast<double>(p.x) < data_.AreaLength * s;
    if (inside && room) {
        canvas_.setPenColor(kRed);
        canvas_.setPenWidth(2);
        if (data_.PolygonStarted) {
            // Paint the rubber band over, draw the edge, turn the previous vertex blue.
            canvas_.setPenMode(PenMode::Copy);
            canvas_.setPenColor(kSystemWindowColor);
            canvas_.setPenWidth(1);
            Line(canvas_, data_.LastPointPx, {x, y});
            canvas_.setPenColor(kRed);
            canvas_.setPenWidth(2);
            Line(canvas_, data_.LastPointPx, p);
            canvas_.setBrushColor(kBlue);
            canvas_.setPenColor(colors[kUniversalLine]);
            canvas_.setPenWidth(1);
            vertexMark(data_.LastPointPx);
            canvas_.setBrushColor(kRed);
            vertexMark(p);
            const int k = ++data_.VertexCount[a];
            data_.VertexX[k][a] = data_.CursorX;
            data_.VertexY[k][a] = data_.CursorY;
        } else {
            // A click refused before this one left the pen in not-xor for the band.
            canvas_.setPenMode(PenMode::Copy);
            canvas_.setBrushColor(kRed);
            canvas_.setPenColor(colors[kUniversalLine]);
            canvas_.setPenWidth(1);
            vertexMark(p);
            data_.Idle = false;
            status_.setPanelText(2, "  End right mouse button !");
            data_.VertexX[1][a] = data_.CursorX;
            data_.VertexY[1][a] = data_.CursorY;
            data_.VertexCount[a] = 1;
            data_.PolygonStarted = true;
        }
        data_.LastPointPx = p;
    }
    // Accepted or not, the rubber band starts afresh at the cursor point.
    canvas_.setPenColor(kRed);
    canvas_.setPenWidth(1);
    bandAnchor_ = BandPixel(data_.CursorX, data_.CursorY, s, H_);
    bandEnd_ = bandAnchor_;
    canvas_.setPenMode(PenMode::NotXor);
    return !inside ? ClickOutcome::OnRightEdge : !room ? ClickOutcome::TooManyPoints : ClickOutcome::Placed;
}

bool PolygonInput::removeLastVertex()
{
    if (data_.InputMode != kInputModeLoadArea || !data_.PolygonStarted)
        return false;
    const int a = data_.CurrentArea;
    const int k = data_.VertexCount[a];
    data_.VertexX[k][a] = 0;
    data_.VertexY[k][a] = 0;
    data_.VertexCount[a] = static_cast<std::uint8_t>(k - 1);
    data_.PolygonStarted = k > 1;
    redrawInput();
    return true;
}

void PolygonInput::redrawInput()
{
    const int a = data_.CurrentArea;
    const double s = scale();
    // The area under input is drawn below as the clicks drew it, not as a finished outline.
    ProjectData others = data_;
    others.AreaUsed[a] = false;
    DrawRaster(canvas_, others, W_, H_, status_);
    DrawLoadAreas(canvas_, others, W_, H_);
    if (!data_.PolygonStarted)
        return;
    const int count = data_.VertexCount[a];
    const auto pixel = [&](int v) { return VertexPixel(data_.VertexX[v][a], data_.VertexY[v][a], s, H_); };
    canvas_.setPenMode(PenMode::Copy);
    canvas_.setPenColor(kRed);
    canvas_.setPenWidth(2);
    for (int v = 2; v <= count; ++v)
        Line(canvas_, pixel(v - 1), pixel(v));
    canvas_.setPenColor(data_.ColorSettings[kUniversalLine]);
    canvas_.setPenWidth(1);
    for (int v = 1; v <= count; ++v) {
        canvas_.setBrushColor(v == count ? kRed : kBlue);
        vertexMark(pixel(v));
    }
    status_.setPanelText(2, "  End right mouse button !");
    data_.LastPointPx = pixel(count);
    canvas_.setPenColor(kRed);
    bandAnchor_ = BandPixel(data_.VertexX[count][a], data_.VertexY[count][a], s, H_);
    bandEnd_ = bandAnchor_;
    canvas_.setPenMode(PenMode::NotXor);
}

void PolygonInput::closePolygon(int x, int y)
{
    const int a = data_.CurrentArea;
    const double s = scale();
    const ColorTable& colors = data_.ColorSettings;
    canvas_.setPenMode(PenMode::Copy);
    canvas_.setPenColor(kSystemWindowColor);
    canvas_.setPenWidth(1);
    Line(canvas_, data_.LastPointPx, {x, y});
    canvas_.setPenColor(kRed);
    canvas_.setPenWidth(2);
    Line(canvas_, data_.LastPointPx, BandPixel(data_.VertexX[1][a], data_.VertexY[1][a], s, H_));

    const int k = ++data_.VertexCount[a];
    data_.VertexX[k][a] = data_.VertexX[1][a];
    data_.VertexY[k][a] = data_.VertexY[1][a];
    data_.Idle = true;
    status_.setPanelText(2, " ");

    canvas_.setBrushColor(kBlue);
    canvas_.setPenWidth(1);
    canvas_.setPenColor(colors[kUniversalLine]);
    vertexMark(data_.LastPointPx);
    canvas_.setBrushColor(kSkyBlue);
    const PixelPoint label = AreaLabelPosition(data_.VertexX[k - 1][a], data_.VertexY[k - 1][a], s, H_);
    canvas_.textOut(label.x, label.y, AreaLabelText(a));

    data_.PolygonStarted = false;
    data_.InputMode = 0;
    data_.ReleaseAreaButton = true;
    status_.setPanelText(1, " ");
    status_.setPanelText(2, LengthStatusText(data_.AreaLength));
    canvas_.setPenColor(colors[kUniversalLine]);
    canvas_.setPenWidth(1);
}

}  // namespace kalven
