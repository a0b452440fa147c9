#pragma once
// The three ready-made colour tables of the colour dialog.

#include "core/project_data.h"

namespace kalven {

enum class ColorPreset { Light, Dark, Reset };

// Reset is the compiled-in table; Light differs from it only in the background.
ColorTable PresetColors(ColorPreset preset);

}  // namespace kalven
