#include "support/recording_canvas.h"

namespace kalven::testing {

void RecordingCanvas::rectangle(int left, int top, int right, int bottom)
{
    calls_.push_back({CanvasCall::Kind::Rectangle, left, top, right, bottom, {}, state_});
}

void RecordingCanvas::moveTo(std::int64_t x, std::int64_t y)
{
    penX_ = x;
    penY_ = y;
}

void RecordingCanvas::lineTo(std::int64_t x, std::int64_t y)
{
    calls_.push_back({CanvasCall::Kind::Line, penX_, penY_, x, y, {}, state_});
    penX_ = x;
    penY_ = y;
}

void RecordingCanvas::ellipse(int left, int top, int right, int bottom)
{
    calls_.push_back({CanvasCall::Kind::Ellipse, left, top, right, bottom, {}, state_});
}

void RecordingCanvas::textOut(int x, int y, const std::string& text)
{
    calls_.push_back({CanvasCall::Kind::Text, x, y, 0, 0, text, state_});
}

const CanvasCall* RecordingCanvas::findText(const std::string& text) const
{
    for (const auto& call : calls_) {
        if (call.kind == CanvasCall::Kind::Text && call.text == text)
            return &call;
    }
    return nullptr;
}

std::vector<CanvasCall> RecordingCanvas::of(CanvasCall::Kind kind) const
{
    std::vector<CanvasCall> out;
    for (const auto& call : calls_) {
        if (call.kind == kind)
            out.push_back(call);
    }
    return out;
}

}  // namespace kalven::testing
