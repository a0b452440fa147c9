#pragma once
// The drawing surface every drawing algorithm of KALVEN draws on: the drawing image on screen,
// a printer page, or a recording in the tests. It keeps its pen, brush, font and pen position
// between calls, as a painter's canvas does.

#include <cstdint>
#include <string>

#include "core/project_data.h"

namespace kalven {

enum class PenStyle { Solid, Dotted, Dashed, DashDot };
// NotXor: screen := NOT (screen XOR pen), so the same line drawn twice restores the picture.
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };

// How far off the surface a line end may lie, in pixels: as far as a double still places a whole
// pixel exactly.
inline constexpr std::int64_t kLineReach = std::int64_t{1} << 53;

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void setPenColor(ColorValue color) = 0;
    virtual void setPenWidth(int width) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setPenMode(PenMode mode) = 0;
    virtual void setBrushColor(ColorValue color) = 0;
    virtual void setBrushStyle(BrushStyle style) = 0;
    virtual void setFontColor(ColorValue color) = 0;
    // Character cell height in device pixels.
    virtual int fontHeight() const = 0;
    virtual void setFontHeight(int pixels) = 0;

    // Outline with the pen, inside filled with the brush unless it is clear;
    // the right and bottom edges are excluded.
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    // Line ends are 64-bit so that a line aimed far past the surface (a nearly horizontal line of
    // action) keeps its true ends and shows exactly the pixels it would have on an endless surface;
    // they lie within kLineReach of the origin.
    virtual void moveTo(std::int64_t x, std::int64_t y) = 0;
    // A line from the pen position to (x, y), the end point excluded; the pen moves there.
    virtual void lineTo(std::int64_t x, std::int64_t y) = 0;
    // Ellipse in a bounding box, right and bottom edges excluded; filled unless the brush is clear.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Text (Windows-1252) with its top-left corner at (x, y), on an opaque box of the brush colour,
    // or on a transparent background when the brush is clear.
    virtual void textOut(int x, int y, const std::string& text) = 0;
};

}  // namespace kalven
