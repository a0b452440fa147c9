// The colour settings, the help windows and the about window of the main window.
#include "core/windows/vstup1_wall.h"

namespace kalven {

void Tvstupy::SetColor1Click() {}
void Tvstupy::Caverns1Click() {}
void Tvstupy::Directory_Content1Click() {}
void Tvstupy::Theory1Click() {}
void Tvstupy::About1Click() {}

}  // namespace kalven
