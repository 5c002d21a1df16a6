// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "system/win32/win32_windows.h"

namespace xmascard::io {

// The system's message for an error code (GetLastError), as one line without its closing
// full stop: the Windows counterpart of strerror.
std::string messageOf(DWORD error);

// The message of the last failed call on this thread.
inline std::string lastError() { return messageOf(GetLastError()); }

// The Win32 handle behind a C runtime descriptor made with _open_osfhandle.
HANDLE handleOf(int fd);
// A C runtime descriptor that owns `handle` (closed with _close); -1, the handle closed,
// when none can be made.
int descriptorOf(HANDLE handle);

}  // namespace xmascard::io
