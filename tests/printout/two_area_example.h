#pragma once
// The worked two-area project and Compute on the design image, as the report and printout tests
// of every folder use them.

#include "support/load_area_fixture.h"
#include "support/screen_computation.h"
