#pragma once
// What the text of a number cell of the editing grids stands for. Never an error: an empty cell
// gives 0; a text that is not a number gives its longest leading number ("12.5" as an integer
// gives 12, "1.2.3" as a real 1.2); 0 when there is none or it lies beyond the range of its type.
// Blanks around the text do not count.

#include <QString>
#include <cstdint>
#include <optional>

namespace kalven {

std::int32_t CellInteger(const QString& text);
double CellReal(const QString& text);
// The leading integer of a cell's text, 0 when there is none; nothing when it needs more than
// 32 bits, so an integer cell can refuse the change that would make it so.
std::optional<std::int32_t> CellInt32(const QString& text);

}  // namespace kalven
