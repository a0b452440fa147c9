// Reading a DXF drawing through dxflib: what the import needs of its model space.
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <limits>
#include <map>
#include <sstream>

#include "core/dxf_import.h"
#include "core/text_file.h"

namespace kalven {

namespace {

// The blanks, letters and digits of the file are those of the C locale, whatever the process's
// locale is: a drawing reads the same everywhere.
bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string Trimmed(const std::string& text)
{
    const auto blank = [](char c) { return IsBlank(c); };
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
        if ((t[i] >= 'a' && t[i] <= 'z' ? static_cast<char>(t[i] - 'a' + 'A') : t[i]) != b[i])
            return false;
    return true;
}

// A group code or an integer value as dxflib reads it: strtol in the C locale (leading blanks,
// a sign, the digits; the nearest long when beyond its range), then cut to int.
int GroupInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    unsigned long magnitude = 0;
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data() + i, last, magnitude);
    if (end == text.data() + i)
        return 0;
    constexpr unsigned long kLongMax = static_cast<unsigned long>(std::numeric_limits<long>::max());
    long value = 0;
    if (error == std::errc::result_out_of_range || magnitude > kLongMax + (negative ? 1 : 0))
        value = negative ? std::numeric_limits<long>::min() : std::numeric_limits<long>::max();
    else
        value = negative ? static_cast<long>(0 - magnitude) : static_cast<long>(magnitude);
    return static_cast<int>(value);
}

// The counts of vertices, knots and points an entity announces before its items.
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

// A file is sound when it holds the end mark (0, EOF), so it was not cut short (blank lines may
// follow), every line fits dxflib's line buffer (a longer one stops its reader without ending it)
// and no count exceeds what the file could hold: each announced item takes a group pair of four
// bytes at the least. What follows the end mark is checked too, since dxflib reads on.
bool CountIsSound(const std::string& entity, int code, const std::string& value, std::size_t size)
{
    if (!AnnouncesCount(entity, code))
        return true;
    const int count = GroupInt(value);
    return count >= 0 && count <= static_cast<long long>(size / 4);
}

// A real of a polyline is taken only when it is a plain decimal number that fits a double: dxflib
// would read "nan" or "inf" as 0 and "1e400" as the largest double without a word. A comma stands
// for the point, as dxflib reads it.
bool IsFiniteNumber(const std::string& value)
{
    std::string text = Trimmed(value);
    std::replace(text.begin(), text.end(), ',', '.');
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    const auto isDigit = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };
    while (isDigit(i))
        ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (isDigit(i))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!isDigit(i))
            return false;
        while (isDigit(i))
            ++i;
    }
    if (i != text.size())
        return false;
    double number = 0;
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(number);
}

// The reals of an entity: coordinates, widths, bulges, elevation, extrusion.
bool IsRealCode(int code)
{
    return (code >= 10 && code <= 59) || (code >= 210 && code <= 239);
}

// What the file's text says of a value, for a message: printable, short.
std::string Shown(const std::string& value)
{
    std::string shown;
    for (char c : Trimmed(value).substr(0, 24))
        shown += (c >= ' ' && c <= '~') ? c : '?';
    return shown;
}

struct RawVertex {
    double x;
    double y;
    double bulge;
};

// A polyline's vertices as they come, reduced at once to what the import needs: the corners
// while there are few enough to import, their count, whether an edge is an arc, and the lowest
// corner. So a polyline of millions of vertices takes no more memory than one of forty.
class OutlineBuilder {
public:
    void add(const RawVertex& v)
    {
        if (vertices_ > 0) {
            if (last_.bulge != 0.0 && !Same(last_, v))
                hasArcs_ = true;
            if (!Same(last_, v))
                addCorner(v);
        } else {
            first_ = v;
            addCorner(v);
        }
        last_ = v;
        ++vertices_;
    }

    bool empty() const { return vertices_ == 0; }

    // closedFlag: the polyline says it is closed; mirrored: seen from above, x runs the other way.
    bool closed(bool closedFlag) const
    {
        return vertices_ > 0 && (closedFlag || (vertices_ >= 2 && Same(first_, last_)));
    }

    DxfOutline finish(bool closedFlag, bool mirrored, PlanePoint& lowest) const
    {
        DxfOutline outline;
        outline.hasArcs = hasArcs_ || (closedFlag && last_.bulge != 0.0 && !Same(last_, first_));
        outline.corners = corners_;
        long long count = cornerCount_;
        if (count >= 2 && Same(last_, first_)) {
            --count;
            if (outline.corners.size() == static_cast<std::size_t>(count + 1))
                outline.corners.pop_back();
        }
        outline.cornerCount = static_cast<int>(std::min<long long>(count, 1'000'000'000));
        if (count > kMaxPickedVertices)
            outline.corners.clear();
        for (PlanePoint& p : outline.corners)
            p.x = mirrored ? -p.x : p.x;
        lowest = {mirrored ? -maxX_ : minX_, minY_};
        return outline;
    }

    // The largest magnitude of a coordinate: far beyond any drawing, the move to the origin
    // could overflow.
    double largest() const { return largest_; }

private:
    static bool Same(const RawVertex& a, const RawVertex& b) { return a.x == b.x && a.y == b.y; }

    void addCorner(const RawVertex& v)
    {
        ++cornerCount_;
        if (corners_.size() <= static_cast<std::size_t>(kMaxPickedVertices))
            corners_.push_back({v.x, v.y});
        if (cornerCount_ == 1) {
            minX_ = maxX_ = v.x;
            minY_ = v.y;
        }
        minX_ = std::min(minX_, v.x);
        maxX_ = std::max(maxX_, v.x);
        minY_ = std::min(minY_, v.y);
        largest_ = std::max({largest_, std::fabs(v.x), std::fabs(v.y)});
    }

    long long vertices_ = 0;
    long long cornerCount_ = 0;
    RawVertex first_{};
    RawVertex last_{};
    bool hasArcs_ = false;
    std::vector<PlanePoint> corners_;  // up to one more than can be imported: the closing repeat
    double minX_ = 0;
    double maxX_ = 0;
    double minY_ = 0;
    double largest_ = 0;
};

// What the group pairs of one entity told before dxflib hands it over.
struct EntityCheck {
    std::string type;
    long long line = 0;  // of its "0" group
    std::string handle;
    std::string fault;  // why it cannot be trusted; empty when sound
    // LWPOLYLINE: its vertices are read here, dxflib never sees them.
    int announced = -1;
    long long xs = 0;
    long long ys = 0;
    bool pendingVertex = false;
    RawVertex vertex{};
    OutlineBuilder outline;
    // VERTEX: its point is read here too, so no number of the file goes through dxflib's reading,
    // which follows the process's locale.
    int coordinates[2] = {0, 0};
    int flags = 0;
    // POLYLINE, LWPOLYLINE: the Z of the extrusion direction; below 0 the outline is mirrored.
    double extrusionZ = 1;

    void pushVertexTo()
    {
        if (pendingVertex)
            outline.add(vertex);
        pendingVertex = false;
    }

    void fail(const std::string& why)
    {
        if (fault.empty())
            fault = why;
    }

    // ", handle 2F, line 120"
    std::string where() const
    {
        return (handle.empty() ? "" : ", handle " + handle) + ", line " + std::to_string(line);
    }
};

// Collects the outlines and counts what is skipped, layer by layer. It sees every group pair first
// and passes dxflib only what dxflib needs, so nothing a file announces makes dxflib allocate.
class Collector : public DL_CreationAdapter {
public:
    // Takes a group pair of the file, starting at the given line; true when dxflib is to see it.
    bool group(int code, const std::string& value, long long line)
    {
        if (code == 0 || code == 9) {
            // dxflib hands the entity just ended over when it reads this pair.
            finishCheck();
            finished_ = std::move(current_);
            current_ = EntityCheck{};
            current_.type = value;
            current_.line = line;
            return true;
        }
        if (code == 5)
            current_.handle = Shown(value);
        const std::string& type = current_.type;
        const bool lw = type == "LWPOLYLINE";
        if (lw || type == "POLYLINE" || type == "VERTEX") {
            if (IsRealCode(code) && !IsFiniteNumber(value))
                current_.fail("group " + std::to_string(code) + " holds \"" + Shown(value) + "\", not a finite number");
        }
        if ((lw || type == "POLYLINE") && code == 230)
            current_.extrusionZ = ToNumber(value);
        if (lw)
            return lightweightGroup(code, value);
        if (type == "VERTEX") {
            if (code == 10 || code == 20)
                ++current_.coordinates[code / 10 - 1];
            if (code == 10)
                current_.vertex.x = ToNumber(value);
            else if (code == 20)
                current_.vertex.y = ToNumber(value);
            else if (code == 42)
                current_.vertex.bulge = ToNumber(value);
            else if (code == 70)
                current_.flags = GroupInt(value);
            return true;
        }
        // dxflib would store all the points, knots, edges and text pieces of these, however many:
        // only their kind, name, layer and place matter here.
        if (type == "SPLINE" || type == "LEADER" || type == "HATCH" || type == "MTEXT")
            return code == 2 || code == 5 || code == 8 || code == 67 || code == 70 || code == 71;
        return true;
    }

    DxfDrawing take()
    {
        finishPolyline(false);
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
        finishPolyline(false);
        ++blockDepth_;
    }
    void endBlock() override
    {
        finishPolyline(false);
        blockDepth_ = std::max(0, blockDepth_ - 1);
    }

    void addPolyline(const DL_PolylineData& data) override
    {
        finishPolyline(false);
        if (!inModelSpace())
            return;
        // Polygon and polyface meshes are surfaces, not outlines.
        if (data.flags & (16 | 64))
            return;
        polyline_ = Pending{attributes.getLayer(),
                            (data.flags & 1) != 0,
                            finished_.extrusionZ < 0,
                            finished_.type,
                            finished_.where(),
                            finished_.fault,
                            {}};
        if (finished_.type == "LWPOLYLINE") {
            polyline_->outline = std::move(finished_.outline);
            finishPolyline(true);
        }
    }
    void addVertex(const DL_VertexData&) override
    {
        if (!polyline_)
            return;
        if (!finished_.fault.empty())
            polyline_->fault =
                polyline_->fault.empty() ? "VERTEX" + finished_.where() + ": " + finished_.fault : polyline_->fault;
        // An outline drawn with its normal pointing down is mirrored when it is finished.
        polyline_->outline.add(finished_.vertex);
    }
    void endSequence() override { finishPolyline(true); }

    void addLine(const DL_LineData&) override { skip(&DxfSkipCounts::lines); }
    void addCircle(const DL_CircleData&) override { skip(&DxfSkipCounts::circles); }
    void addEllipse(const DL_EllipseData&) override { skip(&DxfSkipCounts::ellipses); }
    void addArc(const DL_ArcData&) override { skip(&DxfSkipCounts::arcs); }
    void addSpline(const DL_SplineData&) override { skip(&DxfSkipCounts::splines); }
    void addInsert(const DL_InsertData&) override { skip(&DxfSkipCounts::inserts); }
    void addText(const DL_TextData&) override { finishPolyline(false); }
    void addMText(const DL_MTextData&) override { finishPolyline(false); }
    void addPoint(const DL_PointData&) override { finishPolyline(false); }
    void addHatch(const DL_HatchData&) override { finishPolyline(false); }

private:
    struct Pending {
        std::string layer;
        bool closedFlag;
        bool mirrored;
        std::string type;   // POLYLINE or LWPOLYLINE
        std::string where;  // its handle and line
        std::string fault;  // of the polyline itself or, with its name, of one of its vertices
        OutlineBuilder outline;
    };

    // The vertices of a LWPOLYLINE: an X (10) starts one, its Y (20) follows, a bulge (42) may.
    bool lightweightGroup(int code, const std::string& value)
    {
        EntityCheck& e = current_;
        if (code == 90) {
            if (e.announced >= 0 || e.xs > 0)
                e.fail("vertex count given twice or after the vertices");
            e.announced = std::max(0, GroupInt(value));
        } else if (code == 10) {
            current_.pushVertexTo();
            ++e.xs;
            e.pendingVertex = true;
            e.vertex = {ToNumber(value), 0, 0};
        } else if (code == 20) {
            if (!e.pendingVertex || e.ys == e.xs)
                e.fail("a Y without its X");
            ++e.ys;
            e.vertex.y = ToNumber(value);
        } else if (code == 42) {
            e.vertex.bulge = ToNumber(value);
        } else if (code != 30) {
            return true;
        }
        return false;
    }

    static double ToNumber(const std::string& value)
    {
        if (!IsFiniteNumber(value))
            return 0;
        std::string text = Trimmed(value);
        std::replace(text.begin(), text.end(), ',', '.');
        double number = 0;
        const char* first = text.data() + (text[0] == '+' ? 1 : 0);
        std::from_chars(first, text.data() + text.size(), number);
        return number;
    }

    // Done when the next entity starts.
    void finishCheck()
    {
        EntityCheck& e = current_;
        if (e.type == "LWPOLYLINE") {
            e.pushVertexTo();
            if (e.announced < 0)
                e.fail("no vertex count, " + std::to_string(e.xs) + " vertices given");
            else if (e.xs != e.announced || e.ys != e.xs)
                e.fail(std::to_string(e.announced) + " vertices announced, " + std::to_string(e.xs) + " given" +
                       (e.ys != e.xs ? " with " + std::to_string(e.ys) + " Y values" : ""));
        } else if (e.type == "VERTEX") {
            const bool faceRecord = (e.flags & 128) && !(e.flags & 64);
            if (!faceRecord && (e.coordinates[0] != 1 || e.coordinates[1] != 1))
                e.fail("a vertex without exactly one X and one Y");
        }
    }

    bool inModelSpace() const { return blockDepth_ == 0 && !attributes.isInPaperSpace(); }

    DxfLayer& layer(const std::string& name)
    {
        const auto [it, added] = layerIndex_.try_emplace(name, drawing_.layers.size());
        if (added)
            drawing_.layers.push_back(DxfLayer{name, 0, {}, 0, {}, 0});
        return drawing_.layers[it->second];
    }

    void skip(int DxfSkipCounts::*count)
    {
        finishPolyline(false);
        if (inModelSpace())
            ++(layer(attributes.getLayer()).skipped.*count);
    }

    // bySequenceEnd: a POLYLINE's vertex list ends with its SEQEND; a LWPOLYLINE has all at once.
    void finishPolyline(bool bySequenceEnd)
    {
        if (!polyline_)
            return;
        Pending p = std::move(*polyline_);
        polyline_.reset();
        if (!bySequenceEnd)
            p.fault = p.fault.empty() ? "vertex list not ended by SEQEND" : p.fault;
        DxfLayer& target = layer(p.layer);
        if (!p.fault.empty()) {
            ++target.refusedEntities;
            if (drawing_.refused.size() < kMaxNamedRefusals)
                drawing_.refused.push_back({p.layer, p.type + " on layer " + p.layer + p.where + ": " + p.fault});
            return;
        }
        if (!p.outline.closed(p.closedFlag)) {
            ++target.skipped.openPolylines;
            return;
        }
        PlanePoint lowest;
        DxfOutline outline = p.outline.finish(p.closedFlag, p.mirrored, lowest);
        outline.layer = p.layer;
        outline.number = ++target.outlines;
        target.lowest = outline.number == 1
                            ? lowest
                            : PlanePoint{std::min(target.lowest.x, lowest.x), std::min(target.lowest.y, lowest.y)};
        // Coordinates this large could overflow when moved to the origin, which refuses the
        // outline and frees its number for a later one: such an outline does not count.
        const bool importable = outline.cornerCount <= kMaxPickedVertices && p.outline.largest() <= 1e307;
        if (importable && kept_[p.layer] >= kAreaCount) {
            ++target.notKept;
            return;
        }
        if (importable)
            ++kept_[p.layer];
        drawing_.outlines.push_back(std::move(outline));
    }

    DxfDrawing drawing_;
    std::map<std::string, std::size_t> layerIndex_;
    std::map<std::string, int> kept_;
    std::optional<Pending> polyline_;
    int blockDepth_ = 0;
    EntityCheck current_;
    EntityCheck finished_;
};

// The file's bytes as a stream, without a copy of them.
class BytesBuffer : public std::streambuf {
public:
    explicit BytesBuffer(const std::string& bytes)
    {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }

protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir dir, std::ios_base::openmode) override
    {
        if (dir != std::ios_base::cur || offset != 0)
            return pos_type(off_type(-1));
        return pos_type(gptr() - eback());
    }
};

}  // namespace

DxfReadResult ReadDxf(const std::string& bytes, const DxfProgress& progress)
{
    if (bytes.rfind("AutoCAD Binary DXF", 0) == 0)
        return {DxfReadStatus::Binary, {}};
    Collector collector;
    try {
        BytesBuffer buffer(bytes);
        std::istream stream(&buffer);
        // dxflib reads each pair the collector passes on from a stream of that pair alone.
        std::istringstream pair;
        DL_Dxf dxf;
        bool started = false;
        std::string code;
        std::string value;
        std::string entity;
        bool ended = false;
        long long line = 1;
        for (long long pairs = 0;; ++pairs) {
            if (progress && pairs % 16384 == 0 &&
                !progress(static_cast<int>(static_cast<double>(stream.tellg()) * 1000.0 /
                                           std::max<std::size_t>(bytes.size(), 1))))
                return {DxfReadStatus::Cancelled, {}};
            // The pairs as dxflib's own reading loop takes them.
            const std::streampos before = stream.tellg();
            const bool read = DL_Dxf::getStrippedLine(code, DL_DXF_MAXLINE, stream) &&
                              DL_Dxf::getStrippedLine(value, DL_DXF_MAXLINE, stream, false);
            if (stream.fail() && !stream.eof())
                return {DxfReadStatus::Damaged, {}};
            if (read) {
                const int group = GroupInt(code);
                if (group == 0) {
                    entity = value;
                    ended = ended || Trimmed(value) == "EOF";
                } else if (!CountIsSound(entity, group, value, bytes.size())) {
                    return {DxfReadStatus::Damaged, {}};
                }
                if (collector.group(group, value, line)) {
                    pair.clear();
                    pair.str(code + "\n" + value + "\n");
                    if (started) {
                        dxf.readDxfGroups(pair, &collector);
                    } else {
                        dxf.in(pair, &collector);
                        started = true;
                    }
                }
                line += 2;
            }
            if (stream.eof())
                break;
            if (stream.tellg() == before)
                return {DxfReadStatus::Damaged, {}};
        }
        if (!ended)
            return {DxfReadStatus::Damaged, {}};
        return {DxfReadStatus::Read, collector.take()};
    } catch (const std::exception&) {
        // dxflib's allocations are the only thing that can throw here.
        return {DxfReadStatus::Damaged, {}};
    }
}

DxfReadResult ReadDxfFile(const QString& path, const DxfProgress& progress)
{
    const FileRead read = ReadBoundedFile(path, static_cast<std::size_t>(kMaxDxfFileBytes));
    if (read.failure == ReadFailure::TooLarge)
        return {DxfReadStatus::TooLarge, {}};
    if (read.failure == ReadFailure::NotRegularFile)
        return {DxfReadStatus::NotRegularFile, {}};
    if (!read.bytes)
        return {DxfReadStatus::Unreadable, {}};
    return ReadDxf(*read.bytes, progress);
}

}  // namespace kalven
