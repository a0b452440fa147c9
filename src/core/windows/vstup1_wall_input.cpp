// Raster and load-area drawing, polygon input, deletion and the length dialog of the main window.
#include "core/windows/vstup1_wall.h"

#include "drawing/load_areas.h"
#include "drawing/raster.h"
#include "platform/drawing_image.h"

namespace kalven {

void Tvstupy::Osnova()
{
    DrawRaster(canvas(), data_, Image1_vstupy->image().width(), Image1_vstupy->image().height(), *this);
}

void Tvstupy::Kresli()
{
    DrawLoadAreas(canvas(), data_, Image1_vstupy->image().width(), Image1_vstupy->image().height());
}

void Tvstupy::SpBu_KavernClick() {}
void Tvstupy::SpBu_Kavern_noClick() {}
void Tvstupy::Image1_vstupyMouseMove(Qt::KeyboardModifiers, int, int) {}
void Tvstupy::Image1_vstupyMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void Tvstupy::FormMouseMove(Qt::KeyboardModifiers, int, int) {}
void Tvstupy::Length1Click() {}

}  // namespace kalven
