#pragma once

// Shared by the resource script and the code, so plain macros only.
#define IDI_HORAVIA 1
