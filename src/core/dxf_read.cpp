// Reading a DXF drawing through dxflib: what the import needs of its model space.
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdlib>
#include <exception>
#include <locale>
#include <map>
#include <sstream>

#include "core/dxf_import.h"
#include "core/text_file.h"

namespace kalven {

namespace {

// Far more than any drawing of some load areas needs, yet bounded.
constexpr std::size_t kDxfFileLimit = std::size_t{256} << 20;

std::string Trimmed(const std::string& text)
{
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    const auto first = std::find_if_not(text.begin(), text.end(), blank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

bool SameName(const std::string& a, const char* b)
{
    const std::string t = Trimmed(a);
    const std::size_t n = std::char_traits<char>::length(b);
    if (t.size() != n)
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (std::toupper(static_cast<unsigned char>(t[i])) != b[i])
            return false;
    return true;
}

// A group code or an integer value as dxflib reads it (strtol, then cut to int).
int GroupInt(const std::string& text)
{
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

// dxflib allocates the vertices, knots and points an entity announces before it reads a single
// one of them, so a wild count in a damaged file would ask for gigabytes.
bool AnnouncesCount(const std::string& entity, int code)
{
    if (code == 90)
        return SameName(entity, "LWPOLYLINE");
    if (code == 72 || code == 73 || code == 74)
        return SameName(entity, "SPLINE");
    if (code == 76)
        return SameName(entity, "LEADER");
    return false;
}

// Walks the group pairs exactly as dxflib's reading loop does, before dxflib sees them. The file
// is sound when it holds the end mark (0, EOF), so it was not cut short (blank lines may follow),
// every line fits dxflib's line buffer (a longer one stops its reader without ending it) and no
// count exceeds what the file could hold: each announced item takes a group pair of four bytes at
// the least. What follows the end mark is checked too, since dxflib reads on.
bool GroupsAreSound(const std::string& bytes)
{
    const long long limit = static_cast<long long>(bytes.size() / 4);
    std::istringstream stream(bytes);
    std::string code;
    std::string value;
    std::string entity;
    bool ended = false;
    for (;;) {
        const std::streampos before = stream.tellg();
        const bool pair = DL_Dxf::getStrippedLine(code, DL_DXF_MAXLINE, stream) &&
                          DL_Dxf::getStrippedLine(value, DL_DXF_MAXLINE, stream, false);
        if (stream.fail() && !stream.eof())
            return false;
        if (pair) {
            const int group = GroupInt(code);
            if (group == 0) {
                entity = value;
                ended = ended || Trimmed(value) == "EOF";
            } else {
                if (AnnouncesCount(entity, group)) {
                    const int count = GroupInt(value);
                    if (count < 0 || count > limit)
                        return false;
                }
            }
        }
        if (stream.eof())
            break;
        if (stream.tellg() == before)
            return false;
    }
    return ended;
}

struct RawVertex {
    double x;
    double y;
    double bulge;
};

// Collects the outlines and counts what is skipped, layer by layer.
class Collector : public DL_CreationAdapter {
public:
    DxfDrawing take()
    {
        finishPolyline();
        return std::move(drawing_);
    }

    void setVariableInt(const std::string& key, int value, int) override
    {
        if (key != "$INSUNITS")
            return;
        if (value == 4)
            drawing_.unit = DrawingUnit::Millimetre;
        else if (value == 5)
            drawing_.unit = DrawingUnit::Centimetre;
        else if (value == 6)
            drawing_.unit = DrawingUnit::Metre;
        else
            drawing_.unit.reset();
    }

    void addBlock(const DL_BlockData&) override
    {
        finishPolyline();
        ++blockDepth_;
    }
    void endBlock() override
    {
        finishPolyline();
        blockDepth_ = std::max(0, blockDepth_ - 1);
    }

    void addPolyline(const DL_PolylineData& data) override
    {
        finishPolyline();
        if (!inModelSpace())
            return;
        // Polygon and polyface meshes are surfaces, not outlines.
        if (data.flags & (16 | 64))
            return;
        polyline_ = Pending{attributes.getLayer(), (data.flags & 1) != 0, getExtrusion()->getDirection()[2] < 0, {}};
    }
    void addVertex(const DL_VertexData& data) override
    {
        if (polyline_) {
            // An outline drawn with its normal pointing down is seen mirrored from above.
            const double x = polyline_->mirrored ? -data.x : data.x;
            polyline_->vertices.push_back({x, data.y, data.bulge});
        }
    }
    void endSequence() override { finishPolyline(); }

    void addLine(const DL_LineData&) override { skip(&DxfSkipCounts::lines); }
    void addCircle(const DL_CircleData&) override { skip(&DxfSkipCounts::circles); }
    void addEllipse(const DL_EllipseData&) override { skip(&DxfSkipCounts::ellipses); }
    void addArc(const DL_ArcData&) override { skip(&DxfSkipCounts::arcs); }
    void addSpline(const DL_SplineData&) override { skip(&DxfSkipCounts::splines); }
    void addInsert(const DL_InsertData&) override { skip(&DxfSkipCounts::inserts); }
    void addText(const DL_TextData&) override { finishPolyline(); }
    void addMText(const DL_MTextData&) override { finishPolyline(); }
    void addPoint(const DL_PointData&) override { finishPolyline(); }
    void addHatch(const DL_HatchData&) override { finishPolyline(); }

private:
    struct Pending {
        std::string layer;
        bool closedFlag;
        bool mirrored;
        std::vector<RawVertex> vertices;
    };

    bool inModelSpace() const { return blockDepth_ == 0 && !attributes.isInPaperSpace(); }

    DxfLayer& layer(const std::string& name)
    {
        const auto [it, added] = layerIndex_.try_emplace(name, drawing_.layers.size());
        if (added)
            drawing_.layers.push_back(DxfLayer{name, 0, {}});
        return drawing_.layers[it->second];
    }

    void skip(int DxfSkipCounts::*count)
    {
        finishPolyline();
        if (inModelSpace())
            ++(layer(attributes.getLayer()).skipped.*count);
    }

    void finishPolyline()
    {
        if (!polyline_)
            return;
        Pending p = std::move(*polyline_);
        polyline_.reset();
        const std::vector<RawVertex>& v = p.vertices;
        const auto same = [](const RawVertex& a, const RawVertex& b) { return a.x == b.x && a.y == b.y; };
        const bool closed = !v.empty() && (p.closedFlag || (v.size() >= 2 && same(v.front(), v.back())));
        DxfLayer& target = layer(p.layer);
        if (!closed) {
            ++target.skipped.openPolylines;
            return;
        }
        DxfOutline outline;
        outline.layer = p.layer;
        outline.number = ++target.outlines;
        for (std::size_t i = 0; i < v.size(); ++i) {
            // The edge from this vertex to the next, or from the last back to the first.
            const RawVertex& next = v[(i + 1) % v.size()];
            if (v[i].bulge != 0.0 && !same(v[i], next) && (i + 1 < v.size() || p.closedFlag))
                outline.hasArcs = true;
            const DxfPoint corner{v[i].x, v[i].y};
            if (outline.corners.empty() || !(outline.corners.back() == corner))
                outline.corners.push_back(corner);
        }
        if (outline.corners.size() >= 2 && outline.corners.back() == outline.corners.front())
            outline.corners.pop_back();
        drawing_.outlines.push_back(std::move(outline));
    }

    DxfDrawing drawing_;
    std::map<std::string, std::size_t> layerIndex_;
    std::optional<Pending> polyline_;
    int blockDepth_ = 0;
};

// dxflib reads its numbers through streams of the global C++ locale, which a comma-decimal locale
// would turn "1234.5" into 12345. The C locale is kept as well, since changing the C++ one sets it.
class ClassicNumbers {
public:
    ClassicNumbers()
    {
        if (std::locale() == std::locale::classic())
            return;
        savedC_ = std::setlocale(LC_ALL, nullptr);
        saved_ = std::locale::global(std::locale::classic());
    }
    ~ClassicNumbers()
    {
        if (!saved_)
            return;
        std::locale::global(*saved_);
        std::setlocale(LC_ALL, savedC_.c_str());
    }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    std::optional<std::locale> saved_;
    std::string savedC_;
};

}  // namespace

DxfReadResult ReadDxf(const std::string& bytes)
{
    if (bytes.rfind("AutoCAD Binary DXF", 0) == 0)
        return {DxfReadStatus::Binary, {}};
    if (!GroupsAreSound(bytes))
        return {DxfReadStatus::Damaged, {}};
    const ClassicNumbers numbers;
    Collector collector;
    try {
        std::istringstream stream(bytes);
        DL_Dxf dxf;
        dxf.in(stream, &collector);
        return {DxfReadStatus::Read, collector.take()};
    } catch (const std::exception&) {
        // dxflib's allocations are the only thing that can throw here.
        return {DxfReadStatus::Damaged, {}};
    }
}

DxfReadResult ReadDxfFile(const QString& path)
{
    const FileRead read = ReadBoundedFile(path, kDxfFileLimit);
    if (!read.bytes)
        return {DxfReadStatus::Unreadable, {}};
    return ReadDxf(*read.bytes);
}

}  // namespace kalven
