#pragma once
// The drawing surface every drawing algorithm of KALVEN draws on: the drawing image on screen,
// a printer page, or a recording in the tests. It keeps its pen, brush, font and pen position
// between calls, as a painter's canvas does.

#include <string>

#include "core/project_data.h"

namespace kalven {

enum class PenStyle { Solid, Dotted, Dashed };
// NotXor: screen := NOT (screen XOR pen), so the same line drawn twice restores the picture.
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };

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
    virtual void moveTo(int x, int y) = 0;
    // A line from the pen position to (x, y), the end point excluded; the pen moves there.
    virtual void lineTo(int x, int y) = 0;
    // Ellipse in a bounding box, right and bottom edges excluded; filled unless the brush is clear.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // Text (Windows-1252) with its top-left corner at (x, y), on an opaque box of the brush colour,
    // or on a transparent background when the brush is clear.
    virtual void textOut(int x, int y, const std::string& text) = 0;
};

}  // namespace kalven
