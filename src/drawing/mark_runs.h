#pragma once
// Scale marks and raster lines placed in pixels computed from metres. A length far beyond the
// picture puts many of them on one pixel; such a run is drawn once, so the work stays within the
// size of the picture whatever the length.

#include <algorithm>
#include <cstdint>

namespace kalven {

// The mark that stands for its run: the screen's labels sit on opaque boxes, so its last mark
// shows what drawing every mark would; the printed page labels the first.
enum class MarkOfRun { First, Last };

// Calls draw(i, position(i)) in order of i = 1..count, once for each run of consecutive i with
// the same position; positions never decrease with i. The end of a run is found by doubling
// steps and halving, so a long run costs the logarithm of its length.
template <typename Position, typename Draw>
void ForEachMarkPixel(std::int64_t count, MarkOfRun which, Position position, Draw draw)
{
    std::int64_t i = 1;
    while (i <= count) {
        const auto p = position(i);
        std::int64_t last = i;
        if (i < count && position(i + 1) == p) {
            std::int64_t beyond = count + 1;  // first index known to lie elsewhere
            std::int64_t stride = 1;
            while (last + stride < beyond && position(last + stride) == p) {
                last += stride;
                stride *= 2;
            }
            beyond = std::min(beyond, last + stride);
            while (beyond - last > 1) {
                const std::int64_t middle = last + (beyond - last) / 2;
                if (position(middle) == p)
                    last = middle;
                else
                    beyond = middle;
            }
        }
        draw(which == MarkOfRun::First ? i : last, p);
        i = last + 1;
    }
}

}  // namespace kalven
