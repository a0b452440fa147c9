#pragma once
// The conversion lives in core, where the commands reach it too.
#include "core/win1252.h"
