#include "core/project_file.h"

#include "core/text_format.h"
#include "core/text_reader.h"

namespace kalven {

namespace {

void putLine(std::string& out, std::string_view text)
{
    out += text;
    out += "\r\n";
}

// A line break inside a text would shift every later line of the file by one.
void putTextLine(std::string& out, std::string_view text)
{
    const std::size_t start = out.size();
    out += text;
    for (std::size_t i = start; i < out.size(); ++i) {
        if (out[i] == '\r' || out[i] == '\n')
            out[i] = ' ';
    }
    out += "\r\n";
}

bool hasStoredVertices(const ProjectData& data, int a)
{
    return data.AreaUsed[a] && data.VertexCount[a] > 0;
}

std::int32_t readAreaLength(TextReader& in)
{
    const std::int32_t length = in.readInt32();
    if (length < kMinFileAreaLength || length > kMaxFileAreaLength)
        throw InvalidProjectFile("Invalid project file: area length " + I(length, 0) + " m, possible are " +
                                 I(kMinFileAreaLength, 0) + " to " + I(kMaxFileAreaLength, 0) + " m");
    return length;
}

std::uint8_t readVertexCount(TextReader& in, int area)
{
    const std::int32_t count = in.readInt32();
    if (count < 0 || count > kVertexCapacity)
        throw InvalidProjectFile("Invalid project file: load area " + I(area, 2) + " has " + I(count, 0) +
                                 " vertices, possible are 0 to " + I(kVertexCapacity, 0));
    return static_cast<std::uint8_t>(count);
}

// The joint after the vertices, behind a tag line: a reader that stops after the vertices never
// sees it, so such a reader opens the file unchanged, without the joint.
constexpr std::string_view kJointTag = "BASE JOINT";

void putJoint(std::string& out, const BaseJoint& joint)
{
    putLine(out, kJointTag);
    for (const double value : {joint.X1, joint.Y1, joint.X2, joint.Y2, joint.Mu})
        putLine(out, Real23(value));
}

BaseJoint readJoint(TextReader& in)
{
    BaseJoint joint;
    joint.Set = true;
    for (double* value : {&joint.X1, &joint.Y1, &joint.X2, &joint.Y2, &joint.Mu})
        *value = in.readReal();
    if (in.ranOut())
        throw InvalidProjectFile("Invalid project file: the base joint ends early, it needs x1, y1, x2, y2 and mu");
    // Compared as the file keeps them, so that a joint read here is also read after a save.
    if (Real23(joint.X1) == Real23(joint.X2) && Real23(joint.Y1) == Real23(joint.Y2))
        throw InvalidProjectFile("Invalid project file: the base joint starts and ends in the same point");
    if (!(joint.Mu > 0))
        throw InvalidProjectFile("Invalid project file: the base joint's friction coefficient is not greater than 0");
    return joint;
}

}  // namespace

std::string FormatProjectFile(const ProjectData& data)
{
    std::string out;
    out.reserve(4096);
    putTextLine(out, data.Title.str());
    putLine(out, I(data.AreaLength, 0));
    for (int a = 1; a <= kAreaCount; ++a) {
        putLine(out, data.AreaUsed[a] ? "1" : "0");
        putLine(out, I(data.VertexCount[a], 0));
    }
    for (int a = 1; a <= kAreaCount; ++a) {
        const LoadAreaData& row = data.LoadAreaData[a];
        putLine(out, Real23(row.Alpha));
        putLine(out, I(row.Multiplier, 0));
        putLine(out, Real23(row.ShiftX));
        putTextLine(out, row.Text.str());
    }
    for (int a = 1; a <= kAreaCount; ++a) {
        if (!hasStoredVertices(data, a))
            continue;
        for (int v = 1; v <= data.VertexCount[a]; ++v) {
            putLine(out, Real23(data.VertexX[v][a]));
            putLine(out, Real23(data.VertexY[v][a]));
        }
    }
    if (data.Joint.Set)
        putJoint(out, data.Joint);
    return out;
}

ProjectData ReadProjectFile(std::string_view bytes, const ProjectData& current, bool* endedEarly)
{
    ProjectData data = current;
    ProjectReset(data);
    TextReader in(bytes);
    data.Title = in.readLine();
    data.AreaLength = readAreaLength(in);
    for (int a = 1; a <= kAreaCount; ++a) {
        data.AreaUsed[a] = in.readInt32() == 1;
        data.VertexCount[a] = readVertexCount(in, a);
    }
    for (int a = 1; a <= kAreaCount; ++a) {
        LoadAreaData& row = data.LoadAreaData[a];
        row.Alpha = in.readReal();
        row.Multiplier = in.readInt32();
        row.ShiftX = in.readReal();
        row.Text = in.readLine();
    }
    for (int a = 1; a <= kAreaCount; ++a) {
        if (!hasStoredVertices(data, a))
            continue;
        for (int v = 1; v <= data.VertexCount[a]; ++v) {
            data.VertexX[v][a] = in.readReal();
            data.VertexY[v][a] = in.readReal();
        }
    }
    // Any other line after the vertices is left unread, as it always was.
    if (!in.atEnd() && in.readLine() == kJointTag)
        data.Joint = readJoint(in);
    if (endedEarly)
        *endedEarly = in.ranOut();
    return data;
}

}  // namespace kalven
