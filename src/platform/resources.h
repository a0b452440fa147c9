#pragma once

namespace kalven {

// Registers the program's pictures (icons) held in the window library.
void InitResources();

}  // namespace kalven
