// The text report and the graphic printout of the main window.
#include "core/windows/vstup1_wall.h"

namespace kalven {

void Tvstupy::Printgraphic1Click() {}
void Tvstupy::Printtext1Click() {}

}  // namespace kalven
