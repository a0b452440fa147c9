#pragma once
// The four text panels of the main window's status bar, as the logic writes them.

#include <string>

namespace kalven {

class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    // panel 0..3; text in Windows-1252
    virtual void setPanelText(int panel, const std::string& text) = 0;
};

// For drawings made without a window (pictures, the batch report, benchmarks): texts go nowhere.
class NoStatusPanels : public StatusPanels {
public:
    void setPanelText(int, const std::string&) override {}
};

}  // namespace kalven
