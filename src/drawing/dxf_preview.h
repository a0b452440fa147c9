#pragma once
// The picture of the DXF import dialog: the drawing area of the current length with the load
// areas it already holds and the outlines the import would add.

#include "core/dxf_import.h"
#include "drawing/canvas.h"

namespace kalven {

// Four fifths of the length high: the part of the area where vertices may lie.
inline constexpr int kDxfPreviewWidth = 320;
inline constexpr int kDxfPreviewHeight = 256;

void DrawDxfPreview(Canvas& canvas, const ProjectData& data, const DxfImportPlan& plan, int W, int H);

}  // namespace kalven
