#include "drawing/raster.h"

namespace kalven {

void DrawRaster(Canvas&, const ProjectData&, int, int, StatusPanels&) {}

}  // namespace kalven
