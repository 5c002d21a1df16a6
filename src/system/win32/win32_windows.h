// SPDX-License-Identifier: MIT
#pragma once

// windows.h for the backend. It defines RGB as a macro, which would rewrite the model's
// RGB(); that one builds the same 0x00BBGGRR value a COLORREF holds, so it stands in.
#include <windows.h>
#undef RGB
