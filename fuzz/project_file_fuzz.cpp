// The project file reader. Properties beyond "no crash":
//  - a failed load leaves the project it loads beside untouched;
//  - nothing is ever stored beyond 42 vertices or 20 areas, and a base joint read has two
//    different points and a friction coefficient above 0;
//  - a project that loads, saved and loaded again, gives the same project: every flag, count,
//    multiplier and text exactly, every real to the 15 significant digits the file keeps, and
//    from then on the same file byte for byte.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/project_file.h"
#include "core/text_reader.h"
#include "fuzz_target.h"

namespace {

// A project with something in every field, so a reader that wrote into it would show.
kalven::ProjectData currentProject()
{
    kalven::ProjectData data;
    data.Title = "open project";
    data.AreaLength = 70;
    data.AreaUsed[20] = true;
    data.VertexCount[20] = 42;
    for (int v = 1; v <= kalven::kVertexCapacity; ++v)
        data.VertexX[v][20] = v;
    data.LoadAreaData[20].Multiplier = 18;
    data.Computed = true;
    return data;
}

// Equal to the 15 significant digits of the file's reals (denormals keep fewer).
bool SameReal(double a, double b)
{
    return std::fabs(a - b) <= 1e-14 * std::max(std::fabs(a), std::fabs(b)) + 1e-300;
}

bool SameToFifteenDigits(const kalven::ProjectData& a, const kalven::ProjectData& b)
{
    if (!(a.Title == b.Title && a.AreaLength == b.AreaLength && a.AreaUsed == b.AreaUsed &&
          a.VertexCount == b.VertexCount))
        return false;
    const kalven::BaseJoint &j = a.Joint, &k = b.Joint;
    if (!(j.Set == k.Set && SameReal(j.X1, k.X1) && SameReal(j.Y1, k.Y1) && SameReal(j.X2, k.X2) &&
          SameReal(j.Y2, k.Y2) && SameReal(j.Mu, k.Mu)))
        return false;
    for (int i = 1; i <= kalven::kAreaCount; ++i) {
        const kalven::LoadAreaData& x = a.LoadAreaData[i];
        const kalven::LoadAreaData& y = b.LoadAreaData[i];
        if (!(x.Multiplier == y.Multiplier && x.Text == y.Text && SameReal(x.Alpha, y.Alpha) &&
              SameReal(x.ShiftX, y.ShiftX)))
            return false;
        for (int v = 1; v <= kalven::kVertexCapacity; ++v) {
            if (!SameReal(a.VertexX[v][i], b.VertexX[v][i]) || !SameReal(a.VertexY[v][i], b.VertexY[v][i]))
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    static const kalven::ProjectData original = currentProject();
    const kalven::ProjectData current = original;
    const std::string file(reinterpret_cast<const char*>(bytes), size);
    kalven::ProjectData loaded;
    try {
        loaded = kalven::ReadProjectFile(file, current);
    } catch (const kalven::InvalidNumericInput&) {
        FUZZ_CHECK(kalven::SameProjectContent(current, original) && current.Computed);
        return 0;
    } catch (const kalven::InvalidProjectFile&) {
        FUZZ_CHECK(kalven::SameProjectContent(current, original) && current.Computed);
        return 0;
    }
    FUZZ_CHECK(kalven::SameProjectContent(current, original));
    FUZZ_CHECK(!loaded.Computed);
    FUZZ_CHECK(loaded.Rounding == 1);
    FUZZ_CHECK(loaded.AreaLength >= kalven::kMinFileAreaLength && loaded.AreaLength <= kalven::kMaxFileAreaLength);
    for (int a = 1; a <= kalven::kAreaCount; ++a) {
        FUZZ_CHECK(loaded.VertexCount[a] <= kalven::kVertexCapacity);
        for (int v = 1; v <= kalven::kVertexCapacity; ++v) {
            FUZZ_CHECK(std::isfinite(loaded.VertexX[v][a]) && std::isfinite(loaded.VertexY[v][a]));
            // Only the vertices a used area announces are read; the rest stay as the reset left them.
            if (!loaded.AreaUsed[a] || v > loaded.VertexCount[a])
                FUZZ_CHECK(loaded.VertexX[v][a] == 0 && loaded.VertexY[v][a] == 0);
        }
    }
    const kalven::BaseJoint& joint = loaded.Joint;
    FUZZ_CHECK(joint == kalven::BaseJoint{} ||
               (joint.Set && joint.Mu > 0 && std::isfinite(joint.Mu) && std::isfinite(joint.X1) &&
                std::isfinite(joint.Y1) && std::isfinite(joint.X2) && std::isfinite(joint.Y2) &&
                (joint.X1 != joint.X2 || joint.Y1 != joint.Y2)));
    std::string saved;
    try {
        saved = kalven::FormatProjectFile(loaded);
    } catch (const std::invalid_argument&) {
        FUZZ_CHECK(false);  // every value that was read is finite, so it can be written
    }
    kalven::ProjectData again;
    bool endedEarly = true;
    try {
        again = kalven::ReadProjectFile(saved, loaded, &endedEarly);
    } catch (const std::exception&) {
        FUZZ_CHECK(false);  // what the program wrote, it reads
    }
    FUZZ_CHECK(!endedEarly);  // and it is complete
    FUZZ_CHECK(SameToFifteenDigits(again, loaded));
    FUZZ_CHECK(kalven::FormatProjectFile(again) == saved);
    return 0;
}
