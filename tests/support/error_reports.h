#pragma once
// The texts that reached the general error report of the test application.

#include <QString>
#include <vector>

namespace kalven::testing {

std::vector<QString>& ReportedErrors();

}  // namespace kalven::testing
