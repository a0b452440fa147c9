#pragma once
// Status panels that keep the last text of each panel.

#include <array>
#include <string>

#include "core/status_panels.h"

namespace kalven::testing {

class RecordingPanels : public StatusPanels {
public:
    void setPanelText(int panel, const std::string& text) override { texts.at(static_cast<std::size_t>(panel)) = text; }
    std::array<std::string, 4> texts;
};

}  // namespace kalven::testing
