#include "drawing/raster.h"

#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/mark_runs.h"
#include "drawing/view_mapping.h"

namespace kalven {

namespace {

// Each label stands on an opaque box, so of marks on one pixel the last is what would show.
template <typename Position, typename Draw> void Marks(std::int64_t count, Position position, Draw draw)
{
    ForEachMarkPixel(count, MarkOfRun::Last, position, draw);
}

void Line(Canvas& canvas, int x0, int y0, int x1, int y1)
{
    canvas.moveTo(x0, y0);
    canvas.lineTo(x1, y1);
}

}  // namespace

std::string LengthStatusText(std::int32_t areaLength)
{
    return "  Length = " + I(areaLength, 3) + " m";
}

void DrawRaster(Canvas& canvas, const ProjectData& data, int W, int H, StatusPanels& status)
{
    const ColorTable& colors = data.ColorSettings;
    const std::int32_t L = data.AreaLength;
    canvas.setPenWidth(1);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Copy);

    // Fill, then the frame on the same background brush.
    canvas.setPenColor(colors[kBackground]);
    canvas.setBrushColor(colors[kBackground]);
    canvas.rectangle(0, 0, W, H);
    canvas.setPenColor(colors[kUniversalLine]);
    canvas.rectangle(1, 1, W - 1, H - 1);

    canvas.setPenColor(colors[kRasterLight]);
    const double s = Scale(W, L);
    const double hm = (H - 1) / s;
    const std::int64_t rows = Round(hm);
    const auto metre = [s](std::int64_t i) { return Round(i * s); };
    const auto five = [s](std::int64_t i) { return Round(i * s * 5); };
    const auto twentyFive = [s](std::int64_t i) { return Round(i * s * 25); };
    const auto vertical = [&](std::int64_t x) { Line(canvas, HeldPixel(x), 2, HeldPixel(x), H - 2); };
    const auto horizontal = [&](std::int64_t y) { Line(canvas, 2, HeldPixel(y), W - 2, HeldPixel(y)); };

    if (L < 200) {
        Marks(L, metre, [&](std::int64_t, std::int32_t x) { vertical(x); });
        Marks(rows, metre, [&](std::int64_t, std::int32_t r) { horizontal(H - 1 - std::int64_t{r}); });
    }
    if (L < 100) {
        // Half-metre lines: half the rounded scale past each metre line, below each row.
        canvas.setPenStyle(PenStyle::Dotted);
        const std::int64_t d = Round(s) / 2;
        vertical(d);
        Marks(L, metre, [&](std::int64_t, std::int32_t x) { vertical(x + d); });
        Marks(rows, metre, [&](std::int64_t, std::int32_t r) { horizontal(H - 1 - std::int64_t{r} + d); });
        canvas.setPenStyle(PenStyle::Solid);
    }

    canvas.setPenColor(colors[kRasterDark]);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setFontColor(colors[kUniversalLine]);
    if (L < 200) {
        Marks(L / 5, five, [&](std::int64_t i, std::int32_t x) {
            vertical(x);
            canvas.textOut(HeldPixel(std::int64_t{x} + 4), H - 16, I(5 * i, 2));
        });
        Marks(rows / 5, five, [&](std::int64_t i, std::int32_t r) {
            horizontal(H - 1 - std::int64_t{r});
            canvas.textOut(5, HeldPixel(H + 1 - std::int64_t{r}), I(5 * i, 2));
        });
    } else {
        // Wide areas: 5 m lines in the light colour without labels, labels every 25 m.
        canvas.setPenColor(colors[kRasterLight]);
        Marks(L / 5, five, [&](std::int64_t, std::int32_t x) { vertical(x); });
        Marks(rows / 5, five, [&](std::int64_t, std::int32_t r) { horizontal(H - 1 - std::int64_t{r}); });
        Marks(L / 25, twentyFive, [&](std::int64_t i, std::int32_t x) {
            canvas.textOut(HeldPixel(std::int64_t{x} + 4), H - 16, I(25 * i, 2));
        });
        Marks(rows / 25, twentyFive, [&](std::int64_t i, std::int32_t r) {
            canvas.textOut(5, HeldPixel(H + 1 - std::int64_t{r}), I(25 * i, 2));
        });
    }

    // The length marker stands at the rounded scale times L, which is the right edge only when
    // the scale is close to a whole number.
    canvas.setPenColor(kRed);
    vertical(std::int64_t{Round(s)} * L);

    canvas.setPenColor(colors[kUniversalLine]);
    canvas.setFontColor(colors[kUniversalLine]);
    status.setPanelText(2, LengthStatusText(L));
}

}  // namespace kalven
