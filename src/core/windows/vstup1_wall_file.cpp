// Save, Open and the dialogs of the main window that edit project data.
#include "core/windows/vstup1_wall.h"

namespace kalven {

void Tvstupy::Save1Click() {}
void Tvstupy::Open1Click() {}
void Tvstupy::SpBu_Kavern_abcClick() {}
void Tvstupy::Text1Click() {}
void Tvstupy::Correctionterrain1Click() {}

}  // namespace kalven
