#pragma once
// A canvas that records every drawing call with the pen, brush and font in force, so a test can
// say "the 5 m label 10 stands at (x, y)" without looking at pixels.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "drawing/canvas.h"

namespace kalven::testing {

struct CanvasState {
    ColorValue penColor = 0;
    int penWidth = 1;
    PenStyle penStyle = PenStyle::Solid;
    PenMode penMode = PenMode::Copy;
    ColorValue brushColor = 0x00FFFFFF;
    BrushStyle brushStyle = BrushStyle::Solid;
    ColorValue fontColor = 0;
    int fontHeight = 11;
};

struct CanvasCall {
    enum class Kind { Rectangle, Line, Ellipse, Text };
    Kind kind;
    std::int64_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line: from, to; rectangle and ellipse: box; text: at (x1, y1)
    std::string text;
    CanvasState state;
};

class RecordingCanvas : public Canvas {
public:
    void setPenColor(ColorValue color) override { state_.penColor = color; }
    void setPenWidth(int width) override { state_.penWidth = width; }
    void setPenStyle(PenStyle style) override { state_.penStyle = style; }
    void setPenMode(PenMode mode) override { state_.penMode = mode; }
    void setBrushColor(ColorValue color) override
    {
        state_.brushColor = color;
        state_.brushStyle = BrushStyle::Solid;  // choosing a brush colour makes the brush solid
    }
    void setBrushStyle(BrushStyle style) override { state_.brushStyle = style; }
    void setFontColor(ColorValue color) override { state_.fontColor = color; }
    int fontHeight() const override { return state_.fontHeight; }
    void setFontHeight(int pixels) override { state_.fontHeight = pixels; }

    void rectangle(int left, int top, int right, int bottom) override
    {
        calls_.push_back({CanvasCall::Kind::Rectangle, left, top, right, bottom, {}, state_});
    }
    void moveTo(std::int64_t x, std::int64_t y) override
    {
        penX_ = x;
        penY_ = y;
    }
    void lineTo(std::int64_t x, std::int64_t y) override
    {
        calls_.push_back({CanvasCall::Kind::Line, penX_, penY_, x, y, {}, state_});
        moveTo(x, y);
    }
    void ellipse(int left, int top, int right, int bottom) override
    {
        calls_.push_back({CanvasCall::Kind::Ellipse, left, top, right, bottom, {}, state_});
    }
    void textOut(int x, int y, const std::string& text) override
    {
        calls_.push_back({CanvasCall::Kind::Text, x, y, 0, 0, text, state_});
    }

    const std::vector<CanvasCall>& calls() const { return calls_; }
    std::vector<CanvasCall> lines() const { return of(CanvasCall::Kind::Line); }
    std::vector<CanvasCall> texts() const { return of(CanvasCall::Kind::Text); }
    std::vector<CanvasCall> ellipses() const { return of(CanvasCall::Kind::Ellipse); }
    std::vector<CanvasCall> rectangles() const { return of(CanvasCall::Kind::Rectangle); }
    // The text drawn with exactly this content, or nullptr.
    const CanvasCall* findText(const std::string& text) const
    {
        const auto found = std::find_if(calls_.begin(), calls_.end(), [&](const CanvasCall& c) {
            return c.kind == CanvasCall::Kind::Text && c.text == text;
        });
        return found == calls_.end() ? nullptr : &*found;
    }
    const CanvasState& state() const { return state_; }
    void clear() { calls_.clear(); }

private:
    std::vector<CanvasCall> of(CanvasCall::Kind kind) const
    {
        std::vector<CanvasCall> out;
        std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out),
                     [kind](const CanvasCall& c) { return c.kind == kind; });
        return out;
    }

    CanvasState state_;
    std::int64_t penX_ = 0;
    std::int64_t penY_ = 0;
    std::vector<CanvasCall> calls_;
};

}  // namespace kalven::testing
