#pragma once

// Also read by the resource compiler, so plain macros only.
#define HORAVIA_VERSION_MAJOR 1
#define HORAVIA_VERSION_MINOR 3
