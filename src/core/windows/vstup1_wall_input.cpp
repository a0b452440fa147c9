// Raster and load-area drawing, polygon input, deletion and the length dialog of the main window.
#include "core/windows/vstup1_wall.h"

namespace kalven {

void Tvstupy::Osnova() {}
void Tvstupy::Kresli() {}
void Tvstupy::SpBu_KavernClick() {}
void Tvstupy::SpBu_Kavern_noClick() {}
void Tvstupy::Image1_vstupyMouseMove(Qt::KeyboardModifiers, int, int) {}
void Tvstupy::Image1_vstupyMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}
void Tvstupy::FormMouseMove(Qt::KeyboardModifiers, int, int) {}
void Tvstupy::Length1Click() {}

}  // namespace kalven
