#pragma once
// Mouse input of a load-area polygon: arming, the cursor position snapped to 1 cm or 5 cm with
// its status texts, the rubber band, the vertex clicks and the closing click, and deletion.
//
// States: Idle (InputMode 0, Idle) -> Armed (InputMode 6, not Idle) by arming an unused area ->
// Drawing (PolygonStarted) by the first accepted left click -> Idle by the right click. Stepping
// back from the only vertex returns to Armed; cancelling returns to Idle from either.

#include <cstdint>
#include <string>

#include "core/project_data.h"
#include "core/status_panels.h"
#include "drawing/canvas.h"

namespace kalven {

enum class MouseButton { Left, Right, Middle };

// What a mouse button on the image did.
enum class ClickOutcome {
    Ignored,        // no input armed, or a button without a meaning here
    Placed,         // a vertex was added
    OnRightEdge,    // refused: the point snaps onto or beyond the area's right edge
    TooManyPoints,  // refused: the polygon holds its most picked points
    Closed,         // the right button closed the polygon
};

// A cursor coordinate in metres after the rounding, and its status text.
struct SnappedCoordinate {
    double value = 0;
    std::string text;
};

// Rounding 0: to 1 cm, the text showing the raw value with 2 decimals. Otherwise to 5 cm: a
// tenth's fraction below 0.25 or from 0.75 on goes to the nearest tenth, the rest to the tenth
// below plus 0.05.
SnappedCoordinate SnapCoordinate(double raw, std::uint8_t rounding);

// Arming while Idle: true when input now waits for the area's first vertex; false for an area in
// use (the caller releases the button).
bool ArmPolygonInput(ProjectData& data, StatusPanels& status, int area);

// Deleting while Idle: true when the used area was cleared (the caller redraws).
bool DeleteLoadArea(ProjectData& data, int area);

// After a polygon was closed the arming button stays down until the mouse moves over the
// window outside the image: true once, when it is to be released.
bool TakeAreaButtonRelease(ProjectData& data);

// The drawing image and the rubber band as the mouse handlers see them.
class PolygonInput {
public:
    PolygonInput(ProjectData& data, Canvas& canvas, StatusPanels& status, int width, int height, PixelPoint& bandAnchor,
                 PixelPoint& bandEnd);

    // Every mouse move over the image: cursor coordinates, panels 0 and 1, and the rubber band
    // while a polygon is under way. spinArea is the number shown in the area spin edit.
    void mouseMove(int spinArea, int x, int y);
    // A mouse button on the image; acts only while input is armed.
    ClickOutcome mouseDown(MouseButton button, int x, int y);
    // Takes the last picked vertex back and redraws the areas and the rest of the polygon, the
    // rubber band starting again at the new last vertex; without a vertex left, input is armed
    // again. False when no vertex has been picked.
    bool removeLastVertex();

private:
    ClickOutcome addVertex(int x, int y);
    void closePolygon(int x, int y);
    // The other areas and the polygon under input, as the clicks drew them.
    void redrawInput();
    void vertexMark(PixelPoint at);
    double scale() const;

    ProjectData& data_;
    Canvas& canvas_;
    StatusPanels& status_;
    int W_;
    int H_;
    PixelPoint& bandAnchor_;
    PixelPoint& bandEnd_;
};

}  // namespace kalven
