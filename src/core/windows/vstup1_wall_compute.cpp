// The Compute command of the main window.
#include "core/windows/vstup1_wall.h"

namespace kalven {

void Tvstupy::Button1Click() {}
void Tvstupy::Vypocet() {}

}  // namespace kalven
