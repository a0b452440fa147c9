#include "analysis/joint_drawing.h"

#include <algorithm>
#include <cmath>

#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/segment_clip.h"

namespace kalven {

namespace {

// How far the end marks reach to each side of the joint, and where the value texts stand off
// the ordinates' ends, in pixels.
constexpr int kMarkReach = 5;
constexpr int kValueOffset = 6;

// The verdict lines continue the four result lines' rows, 14 pixels apart.
constexpr int kTextLeft = 65;
constexpr int kFirstTextRow = 88;
constexpr int kTextStep = 14;

struct Frame {
    double tx, ty;  // along the joint, A to B
    double nx, ny;  // into the ground
};

Frame JointFrame(const BaseJoint& joint)
{
    const double dx = joint.X2 - joint.X1;
    const double dy = joint.Y2 - joint.Y1;
    const double length = std::hypot(dx, dy);
    return {dx / length, dy / length, dy / length, -dx / length};
}

}  // namespace

PressureDiagram JointPressureDiagram(const BaseJoint& joint, const JointResults& r, int areaLength)
{
    PressureDiagram d;
    const Frame f = JointFrame(joint);
    const double largest = r.verdict == JointVerdict::WithinMiddleThird    ? std::max(r.SigmaA, r.SigmaB)
                           : r.verdict == JointVerdict::OutsideMiddleThird ? r.SigmaMax
                                                                           : 0;
    if (!(largest > 0))
        return d;
    const double k = areaLength / 10.0 / largest;  // metres per kN/m2
    const auto at = [&](double u, double sigma) {
        return WorldPoint{joint.X1 + u * f.tx + sigma * k * f.nx, joint.Y1 + u * f.ty + sigma * k * f.ny};
    };
    if (r.verdict == JointVerdict::WithinMiddleThird) {
        d.outline = {at(0, 0), at(0, r.SigmaA), at(r.Bw, r.SigmaB), at(r.Bw, 0)};
        d.values = {{at(0, r.SigmaA), r.SigmaA}, {at(r.Bw, r.SigmaB), r.SigmaB}};
    } else {
        // The triangle over the contact width, its peak under the nearer edge.
        const double edge = r.MaxAtA ? 0 : r.Bw;
        const double end = r.MaxAtA ? r.Contact : r.Bw - r.Contact;
        d.outline = {at(edge, 0), at(edge, r.SigmaMax), at(end, 0)};
        d.values = {{at(edge, r.SigmaMax), r.SigmaMax}};
    }
    return d;
}

std::string PressureText(double sigma)
{
    return F(sigma, 0, 2) + " kN/m2";
}

std::vector<std::string> JointResultTexts(const JointResults& r)
{
    std::vector<std::string> texts = {"Base joint: " + JointVerdictText(r.verdict)};
    if (r.verdict == JointVerdict::Parallel)
        return texts;
    std::string e = "e = " + F(r.e, 0, 2) + " m";
    if (r.verdict == JointVerdict::OutsideMiddleThird)
        e += ", c = " + F(r.Contact, 0, 2) + " m";
    texts.push_back(e);
    if (SlidingShown(r))
        texts.push_back("Sliding: " + SlidingVerdictText(r.Utilisation) + " (" + F(r.Utilisation, 0, 3) + ")");
    return texts;
}

void DrawJoint(Canvas& canvas, const ResultView& view, const ProjectData& data)
{
    const std::optional<JointResults> results = ProjectJointResults(data);
    if (!results)
        return;
    const JointResults& r = *results;
    const BaseJoint& joint = data.Joint;
    const auto line = [&](double x0, double y0, double x1, double y1) {
        DrawClippedLine(canvas, view.Column(x0), view.Row(y0), view.Column(x1), view.Row(y1), view.W, view.H);
    };
    canvas.setPenColor(kDarkGreen);
    canvas.setPenWidth(2);
    canvas.setPenStyle(PenStyle::DashDot);
    line(joint.X1, joint.Y1, joint.X2, joint.Y2);
    canvas.setPenStyle(PenStyle::Solid);

    // Rows grow downwards, so the ground side n = (nx, ny) is (nx, -ny) on the image.
    const Frame f = JointFrame(joint);
    const double mx = std::nearbyint(kMarkReach * f.nx);
    const double my = std::nearbyint(-kMarkReach * f.ny);
    for (const auto& [x, y] : {WorldPoint{joint.X1, joint.Y1}, WorldPoint{joint.X2, joint.Y2}}) {
        const double c = view.Column(x);
        const double rw = view.Row(y);
        DrawClippedLine(canvas, c - mx, rw - my, c + mx, rw + my, view.W, view.H);
    }
    if (r.verdict != JointVerdict::Parallel) {
        canvas.setBrushStyle(BrushStyle::Clear);
        DrawClippedRing(canvas, view.Column(r.Sx), view.Row(r.Sy), 3, view.W, view.H);
    }

    const PressureDiagram diagram = JointPressureDiagram(joint, r, data.AreaLength);
    canvas.setPenWidth(1);
    for (std::size_t i = 1; i < diagram.outline.size(); ++i)
        line(diagram.outline[i - 1].x, diagram.outline[i - 1].y, diagram.outline[i].x, diagram.outline[i].y);

    canvas.setFontColor(data.ColorSettings[kUniversalLine]);
    canvas.setBrushStyle(BrushStyle::Clear);
    for (const PressureDiagram::EdgeValue& v : diagram.values) {
        // Beyond the ordinate's end, out of the diagram; a text whose corner is off the image is left out.
        const double x = view.Column(v.tip.x) + std::nearbyint(kValueOffset * f.nx);
        double y = view.Row(v.tip.y) - std::nearbyint(kValueOffset * f.ny);
        if (f.ny > 0)
            y -= canvas.fontHeight();
        if (x >= 0 && x < view.W && y >= 0 && y < view.H)
            canvas.textOut(static_cast<int>(x), static_cast<int>(y), PressureText(v.sigma));
    }
    const std::vector<std::string> texts = JointResultTexts(r);
    for (std::size_t i = 0; i < texts.size(); ++i)
        canvas.textOut(kTextLeft, kFirstTextRow + kTextStep * static_cast<int>(i), texts[i]);
}

}  // namespace kalven
