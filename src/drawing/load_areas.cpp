#include "drawing/load_areas.h"

namespace kalven {

void DrawLoadAreas(Canvas&, const ProjectData&, int, int) {}

}  // namespace kalven
