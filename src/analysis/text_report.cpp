#include "analysis/text_report.h"

#include <algorithm>

#include "analysis/base_joint.h"
#include "core/program_name.h"
#include "core/text_format.h"

namespace kalven {

namespace {

const std::string kBlankLine = "  ";

std::string Blanks(int count)
{
    return std::string(static_cast<std::size_t>(std::max(count, 0)), ' ');
}

// The multiplier's lead-in: one- and two-digit values get one and two blanks, so the column
// is not right-aligned for one- and three-digit values.
std::string MultiplierLeadIn(std::int32_t m)
{
    if (m < 10)
        return Blanks(1);
    if (m < 100)
        return Blanks(2);
    return {};
}

// Angle and shift: right-aligned in five characters from 0.0 to 999.9.
std::string DegreeLeadIn(double v)
{
    if (v < 10)
        return Blanks(2);
    if (v < 100)
        return Blanks(1);
    return {};
}

std::string AreaLine(int area, const LoadAreaData& row)
{
    const std::string& text = row.Text;
    std::string line = I(area, 2) + Blanks(2) + text;
    line += Blanks(static_cast<int>(kAreaTextLength) - static_cast<int>(text.size())) + Blanks(1);
    line += MultiplierLeadIn(row.Multiplier) + I(row.Multiplier, 2) + Blanks(7);
    line += DegreeLeadIn(row.Alpha) + F(row.Alpha, 2, 1) + Blanks(5);
    line += DegreeLeadIn(row.ShiftX) + F(row.ShiftX, 2, 1) + Blanks(6);
    return line;
}

void AppendLoadAreas(std::vector<std::string>& lines, const ProjectData& data)
{
    bool any = false;
    for (int i = 1; i <= kAreaCount; ++i)
        any = any || data.AreaUsed[i];
    if (!any)
        return;
    lines.push_back(kBlankLine);
    lines.push_back("LOAD AREAS");
    lines.push_back(kBlankLine);
    lines.push_back(std::string("No. Name                      multiplier  alpha (") + kDegreeSign + ")   Xc (m)");
    lines.push_back(std::string(59, '-'));
    for (int i = 1; i <= kAreaCount; ++i) {
        if (data.AreaUsed[i])
            lines.push_back(AreaLine(i, data.LoadAreaData[i]));
    }
}

// A figure of the joint section: the name in a fixed column, the value in eight characters.
std::string JointLine(const std::string& name, const std::string& value, const std::string& unit)
{
    return name + Blanks(16 - static_cast<int>(name.size())) + "= " + value + unit;
}

std::string PointValue(double x, double y)
{
    return F(x, 8, 2) + F(y, 8, 2);
}

// Only after a computation of the joint as it stands: an edit of the joint leaves the resultant's
// figures printable but has not met them yet.
void AppendBaseJoint(std::vector<std::string>& lines, const ProjectData& data)
{
    const std::optional<JointResults> results = data.Computed ? ProjectJointResults(data) : std::nullopt;
    if (!results)
        return;
    const JointResults& r = *results;
    const BaseJoint& j = data.Joint;
    lines.push_back(kBlankLine);
    lines.push_back(kBlankLine);
    lines.push_back("BASE JOINT");
    lines.push_back(kBlankLine);
    const std::string verdict = "Verdict: " + JointVerdictText(r.verdict);
    if (r.verdict == JointVerdict::Parallel) {
        lines.push_back(verdict);
        return;
    }
    lines.push_back(JointLine("A (x, y)", PointValue(j.X1, j.Y1), " m"));
    lines.push_back(JointLine("B (x, y)", PointValue(j.X2, j.Y2), " m"));
    lines.push_back(JointLine("S (x, y)", PointValue(r.Sx, r.Sy), " m"));
    lines.push_back(JointLine("Bw", F(r.Bw, 8, 2), " m"));
    lines.push_back(JointLine("s", F(r.s, 8, 2), " m"));
    lines.push_back(JointLine("e", F(r.e, 8, 2), " m"));
    lines.push_back(JointLine("Bw/6", F(r.Bw / 6, 8, 2), " m"));
    lines.push_back(JointLine("N", F(r.N, 8, 2), " kN/m"));
    lines.push_back(JointLine("T", F(r.T, 8, 2), " kN/m"));
    if (r.verdict == JointVerdict::WithinMiddleThird) {
        lines.push_back(JointLine("sigmaA", F(r.SigmaA, 8, 2), " kN/m2"));
        lines.push_back(JointLine("sigmaB", F(r.SigmaB, 8, 2), " kN/m2"));
    } else if (r.verdict == JointVerdict::OutsideMiddleThird) {
        lines.push_back(JointLine("c", F(r.Contact, 8, 2), " m"));
        lines.push_back(JointLine(r.MaxAtA ? "sigma max at A" : "sigma max at B", F(r.SigmaMax, 8, 2), " kN/m2"));
    }
    lines.push_back(JointLine("mu", F(j.Mu, 8, 3), ""));
    if (SlidingShown(r))
        lines.push_back(JointLine("utilisation", F(r.Utilisation, 8, 3), ""));
    lines.push_back(kBlankLine);
    lines.push_back(verdict);
    if (SlidingShown(r))
        lines.push_back("Sliding: " + SlidingVerdictText(r.Utilisation));
}

void AppendResults(std::vector<std::string>& lines, const ProjectData& data)
{
    // Decided by the figure itself, not by Computed: the last computation's values stay printable.
    if (data.ResultantForce == 0)
        return;
    lines.push_back(kBlankLine);
    lines.push_back(kBlankLine);
    lines.push_back("R E S U L T S");
    lines.push_back(kBlankLine);
    lines.push_back("ALL FORCES  ");
    lines.push_back(kBlankLine);
    lines.push_back("Center of gravity");
    lines.push_back(std::string("  Xc (m)   Yc (m)    force (kN)   angle (") + kDegreeSign + ")");
    lines.push_back(std::string(43, '-'));
    const int count = std::min<int>(data.ResultCount, kResultListCapacity);
    for (int k = 1; k <= count; ++k) {
        const ForceRecord& f = data.ResultList[k];
        lines.push_back(F(f.CentroidX, 8, 2) + F(f.CentroidY, 8, 2) + F(f.Force, 12, 2) + F(f.Alpha, 13, 2));
    }
    lines.push_back(kBlankLine);
    lines.push_back(kBlankLine);
    lines.push_back("Resultant force" + F(data.ResultantForce, 8, 2) + " kN");
    lines.push_back("Angle of resultant force " + F(data.ResultantAngle, 8, 2) + kDegreeSign);
    lines.push_back("Resultant Xc = " + F(data.ResultantXc, 8, 2) + " m");
    lines.push_back("Resultant Yc = " + F(data.ResultantYc, 8, 2) + " m");
    AppendBaseJoint(lines, data);
}

}  // namespace

std::vector<std::string> BuildTextReport(const ProjectData& data)
{
    std::vector<std::string> lines(3, kBlankLine);
    lines.push_back("K A L V E N   Resultant Of General Force System" + Blanks(13) + kPrintedOwnerNotice);
    lines.push_back(std::string(72, '='));
    lines.push_back(kBlankLine);
    lines.push_back(data.Title);
    lines.push_back(kBlankLine);
    lines.push_back(kBlankLine);
    lines.push_back("I N P U T   D A T A  ");
    AppendLoadAreas(lines, data);
    AppendResults(lines, data);
    return lines;
}

int ReportLineStart(const std::vector<std::string>& lines, int line)
{
    int start = 0;
    for (int k = 1; k < line && k <= static_cast<int>(lines.size()); ++k)
        start += static_cast<int>(lines[static_cast<std::size_t>(k - 1)].size()) + 2;
    return start;
}

std::vector<std::string> WithLeftMargin(const std::vector<std::string>& lines, int margin)
{
    const std::string blanks = Blanks(margin);
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& line : lines)
        out.push_back(blanks + line);
    return out;
}

}  // namespace kalven
