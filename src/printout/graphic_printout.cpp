#include "printout/graphic_printout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/force_rules.h"
#include "analysis/joint_drawing.h"
#include "analysis/outline_moments.h"
#include "core/program_name.h"
#include "core/text_format.h"
#include "drawing/fixed_colors.h"
#include "drawing/mark_runs.h"
#include "drawing/segment_clip.h"

namespace kalven {

namespace {

// A page coordinate as a whole pixel, held where integer arithmetic on it cannot overflow; the
// page is far smaller, so a held value lies off the page either way.
int Held(double v)
{
    constexpr double kLimit = 1e9;
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -kLimit, kLimit));
}

class PagePainter {
public:
    PagePainter(Canvas& canvas, const ProjectData& data, const PrintPage& page)
        : c_(canvas), data_(data), p_(page), L_(data.AreaLength)
    {
    }

    void draw()
    {
        frame();
        bottomScale();
        leftScale();
        loadAreas();
        shiftMarks();
        c_.setPenStyle(PenStyle::Solid);
        c_.setBrushColor(kWhite);
        c_.setFontColor(kBlack);
        if (data_.Computed) {
            const std::optional<JointResults> joint = ProjectJointResults(data_);
            if (joint)
                baseJoint(*joint);
            forceArrows();
            lineOfAction();
            resultant();
            resultLines(joint);
        }
        c_.textOut(p_.x0 + 7, p_.y0 - Round(p_.PH / 60.0), data_.Title);
        headerLine();
    }

private:
    void line(double x1, double y1, double x2, double y2) { DrawClippedLine(c_, x1, y1, x2, y2, p_.PW, p_.PH); }

    void ring(double x, double y, int radius) { DrawClippedRing(c_, x, y, radius, p_.PW, p_.PH); }

    void frame()
    {
        c_.setBrushColor(kWhite);
        c_.setBrushStyle(BrushStyle::Clear);
        c_.setPenColor(kBlack);
        c_.setPenWidth(1);
        c_.setPenStyle(PenStyle::Solid);
        c_.setPenMode(PenMode::Copy);
        c_.rectangle(p_.x0 + 1, p_.y0 + 1, p_.x0 + p_.FW - 2, p_.y0 + p_.FH);
    }

    void bottomScale()
    {
        const int yb = p_.yb;
        const int fine = Round(yb / 100.0);
        const int coarse = Round(yb / 75.0);
        const int numberY = yb - Round(yb / 40.0);
        const double s = p_.s;
        // Short areas get half-metre and metre marks, the others metre and 5 m marks.
        const bool shortArea = L_ < 25;
        const long long fineCount = shortArea ? 2LL * L_ - 1 : L_ - 1LL;
        const long long coarseCount = shortArea ? L_ - 1LL : L_ / 5 - 1LL;
        const int coarseStep = shortArea ? 1 : 5;
        const auto fineOffset = [&](long long i) {
            return Held(std::nearbyint((shortArea ? static_cast<double>(i) / 2 : static_cast<double>(i)) * s));
        };
        const auto coarseOffset = [&](long long i) {
            return Held(std::nearbyint(static_cast<double>(coarseStep * i) * s));
        };
        const auto vertical = [&](int length) {
            return [&, length](long long, int at) {
                c_.moveTo(p_.x0 + at, yb);
                c_.lineTo(p_.x0 + at, yb - length);
            };
        };

        c_.setPenWidth(1);
        ForEachMarkPixel(fineCount, MarkOfRun::First, fineOffset, vertical(fine));
        c_.setPenWidth(2);
        ForEachMarkPixel(coarseCount, MarkOfRun::First, coarseOffset, vertical(coarse));
        c_.setPenWidth(1);
        ForEachMarkPixel(coarseCount, MarkOfRun::First, coarseOffset,
                         [&](long long i, int at) { c_.textOut(p_.x0 + at + 5, numberY, I(coarseStep * i, 2)); });
    }

    void leftScale()
    {
        const int yb = p_.yb;
        const int x = p_.x0 + 1;
        const int fine = Round(p_.x0 / 10.0);
        const int coarse = Round(p_.x0 / 7.5);
        const double s = p_.s;
        // The counts follow the page height in metres, not the frame's.
        const double h = yb / s;
        const bool shortArea = L_ < 25;
        const long long fineCount = shortArea ? 0LL + Round(2 * h) - Round(h / 4) : 0LL + Round(h) - Round(h / 8);
        const long long coarseCount = shortArea ? 0LL + Round(h) - Round(h / 6) : 0LL + Round(h / 5) - Round(h / 30);
        const int coarseStep = shortArea ? 1 : 5;

        c_.setPenWidth(1);
        ForEachMarkPixel(
            fineCount, MarkOfRun::First,
            [&](long long i) {
                return Held(shortArea ? std::nearbyint(static_cast<double>(i) * s / 2)
                                      : std::nearbyint(static_cast<double>(i) * s));
            },
            [&](long long, int up) {
                c_.moveTo(x, yb - up);
                c_.lineTo(x + fine, yb - up);
            });
        ForEachMarkPixel(
            coarseCount, MarkOfRun::First,
            [&](long long i) { return Held(std::nearbyint(static_cast<double>(coarseStep * i) * s)); },
            [&](long long i, int up) {
                const int y = yb - up;
                c_.setPenWidth(3);
                c_.moveTo(x, y);
                c_.lineTo(x + coarse, y);
                c_.setPenWidth(1);
                c_.textOut(p_.x0 + 15, y + 5, I(coarseStep * i, 2));
            });
    }

    void loadAreas()
    {
        c_.setBrushStyle(BrushStyle::Solid);
        c_.setPenColor(kNavy);
        c_.setPenWidth(4);
        const int below = Round(p_.PW / 140.0);
        for (int i = 1; i <= kAreaCount; ++i) {
            if (!data_.AreaUsed[i])
                continue;
            const int n = StoredVertexCount(data_, i);
            for (int j = 2; j <= n; ++j) {
                line(p_.px(data_.VertexX[j - 1][i]), p_.py(data_.VertexY[j - 1][i]), p_.px(data_.VertexX[j][i]),
                     p_.py(data_.VertexY[j][i]));
            }
            // The number stands by the last distinct vertex; an outline of fewer than two
            // vertices has none, so its first vertex serves.
            const int anchor = std::max(n - 1, 1);
            c_.setBrushColor(kSkyBlue);
            c_.textOut(Held(p_.px(data_.VertexX[anchor][i])) + 4, Held(p_.py(data_.VertexY[anchor][i])) + below,
                       I(i, 2) + " ");
        }
    }

    void shiftMarks()
    {
        c_.setPenColor(kBlack);
        c_.setPenStyle(PenStyle::Dashed);
        c_.setPenWidth(1);
        for (int i = 1; i <= kAreaCount; ++i) {
            const ForceRecord& area = data_.AreaResult[i];
            if (!data_.AreaUsed[i] || !ActsAtShiftedX(area.Alpha, data_.LoadAreaData[i].ShiftX))
                continue;
            const double y = p_.py(area.CentroidY);
            line(p_.px(data_.UnshiftedCentroidX[i]), y, p_.px(area.CentroidX), y);
        }
    }

    // The screen's joint picture through the page's mapping and with the page's wider pens; drawn
    // first, so the resultant stays on top.
    void baseJoint(const JointResults& r)
    {
        const BaseJoint& j = data_.Joint;
        c_.setPenColor(kDarkGreen);
        c_.setPenWidth(6);
        c_.setPenStyle(PenStyle::DashDot);
        line(p_.px(j.X1), p_.py(j.Y1), p_.px(j.X2), p_.py(j.Y2));
        c_.setPenStyle(PenStyle::Solid);
        const double length = std::hypot(j.X2 - j.X1, j.Y2 - j.Y1);
        // Across the joint at A and B; rows grow downwards.
        const int reach = Round(p_.PW / 160.0);
        const double mx = std::nearbyint(reach * (j.Y2 - j.Y1) / length);
        const double my = std::nearbyint(reach * (j.X2 - j.X1) / length);
        for (auto [x, y] : {std::pair{j.X1, j.Y1}, std::pair{j.X2, j.Y2}})
            line(p_.px(x) - mx, p_.py(y) - my, p_.px(x) + mx, p_.py(y) + my);
        if (r.verdict != JointVerdict::Parallel)
            ring(p_.px(r.Sx), p_.py(r.Sy), 8);
        const PressureDiagram diagram = JointPressureDiagram(j, r, L_);
        c_.setPenWidth(3);
        for (std::size_t i = 1; i < diagram.outline.size(); ++i) {
            const WorldPoint& a = diagram.outline[i - 1];
            const WorldPoint& b = diagram.outline[i];
            line(p_.px(a.x), p_.py(a.y), p_.px(b.x), p_.py(b.y));
        }
        // Beside the ordinates' ends, out of the diagram, as far off as the area numbers are.
        const int off = Round(p_.PW / 140.0);
        const double nx = (j.Y2 - j.Y1) / length;
        const double ny = -(j.X2 - j.X1) / length;
        for (const PressureDiagram::EdgeValue& v : diagram.values) {
            const double y = p_.py(v.tip.y) - std::nearbyint(off * ny) - (ny > 0 ? c_.fontHeight() : 0);
            c_.textOut(Held(p_.px(v.tip.x) + std::nearbyint(off * nx)), Held(y), PressureText(v.sigma));
        }
    }

    void forceArrows()
    {
        c_.setPenColor(kNavy);
        c_.setPenWidth(10);
        const int count = std::min<int>(data_.ResultCount, kResultListCapacity);
        for (int k = 1; k <= count; ++k) {
            const ForceRecord& f = data_.ResultList[k];
            const double tipX = p_.px(f.TipX);
            const double tipY = p_.py(f.TipY);
            line(p_.px(f.CentroidX), p_.py(f.CentroidY), tipX, tipY);
            ring(tipX, tipY, 6);
        }
    }

    void lineOfAction()
    {
        c_.setPenColor(kBlack);
        c_.setPenWidth(1);
        line(p_.px(data_.LineX0), p_.py(0), p_.px(data_.LineX1), p_.py(L_));
    }

    void resultant()
    {
        c_.setPenColor(kRed);
        c_.setPenWidth(15);
        // The tip by the screen's rule, from the stored figures rather than the screen's tip.
        const double a = data_.ResultantAngle * std::numbers::pi / 180;
        const double length = data_.ResultantForce * data_.ArrowScale;
        const double xt = data_.ResultantXc + std::cos(a) * length;
        const double yt = data_.ResultantYc + std::sin(a) * length;
        line(p_.px(data_.ResultantXc), p_.py(data_.ResultantYc), p_.px(xt), p_.py(yt));
        ring(p_.px(xt), p_.py(yt), 8);
    }

    void resultLines(const std::optional<JointResults>& joint)
    {
        c_.setPenColor(kBlack);
        c_.setPenWidth(1);
        const int lh = Round(p_.PH / 80.0);
        // In doubles: a page lower than 40 pixels has no line height, and its divisions no bound.
        const double base = static_cast<double>(Round(9.0 * p_.PH / lh)) + p_.y0;
        const int x = Held(static_cast<double>(Round(p_.s)) + p_.x0);
        const auto top = [&](int m) { return Held(base - Round(static_cast<double>(m) * p_.PH / lh)); };
        c_.textOut(x, top(8), "Resultant force" + D(data_.ResultantForce) + " kN");
        c_.textOut(x, top(7), "Xs = " + D(data_.ResultantXc) + " m");
        c_.textOut(x, top(6), "Ys = " + D(data_.ResultantYc) + " m");
        c_.textOut(x, top(5), "Angle " + D(data_.ResultantAngle) + kDegreeSign);
        if (joint) {
            const std::vector<std::string> texts = JointResultTexts(*joint);
            for (std::size_t i = 0; i < texts.size(); ++i)
                c_.textOut(x, top(4 - static_cast<int>(i)), texts[i]);
        }
    }

    void headerLine()
    {
        const int remembered = c_.fontHeight();
        c_.setFontHeight(Round(p_.PH / 180.0));
        const int y = p_.y0 - Round(p_.PH / 160.0);
        c_.textOut(p_.PW - Round(p_.PW / 2.5), y, kPrintedOwnerNotice);
        c_.textOut(p_.PW - Round(p_.PW / 6.0), y, kProgramName);
        c_.setFontHeight(remembered);
    }

    Canvas& c_;
    const ProjectData& data_;
    const PrintPage& p_;
    const int L_;
};

}  // namespace

double PrintPage::px(double x) const
{
    return std::nearbyint(x * s) + x0;
}

double PrintPage::py(double y) const
{
    return yb - std::nearbyint(y * s);
}

PrintPage MakePrintPage(int PW, int PH, int areaLength)
{
    PrintPage p;
    p.PW = PW;
    p.PH = PH;
    p.M = Round(PW / 8.0);
    p.s = static_cast<double>(PW - p.M) / areaLength;
    p.r = PW > PH ? static_cast<double>(PH) / PW : static_cast<double>(PW) / PH;
    p.x0 = Round(p.M / 2.0);
    p.y0 = p.x0;
    p.FW = Round(areaLength * p.s);
    p.FH = Round(areaLength * p.s * p.r);
    p.yb = p.FH + p.y0 + 1;
    return p;
}

void DrawGraphicPage(Canvas& canvas, const ProjectData& data, int PW, int PH)
{
    // A page without printable pixels, or an area without length, has no scale to draw with.
    if (PW < 1 || PH < 1 || data.AreaLength < 1)
        return;
    const PrintPage page = MakePrintPage(PW, PH, data.AreaLength);
    PagePainter(canvas, data, page).draw();
}

}  // namespace kalven
