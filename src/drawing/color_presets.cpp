#include "drawing/color_presets.h"

namespace kalven {

namespace {

ColorTable FromList(const ColorValue (&values)[kColorCount])
{
    ColorTable table;
    for (int slot = 1; slot <= kColorCount; ++slot)
        table[slot] = values[slot - 1];
    return table;
}

}  // namespace

ColorTable PresetColors(ColorPreset preset)
{
    switch (preset) {
    case ColorPreset::Light: {
        ColorTable table = DefaultColors();
        table[kBackground] = 0x00C8DDD6;
        return table;
    }
    case ColorPreset::Dark:
        return FromList(
            {0x00808080, 0x00959595, 0x00B7B7B7, 0x00FFFFFF, 0x00FF80FF, 0x0080FF80, 0x006AB5FF, 0x00FFC993});
    case ColorPreset::Reset:
        break;
    }
    return DefaultColors();
}

}  // namespace kalven
