// SPDX-License-Identifier: MIT
#include "platform/io/win32/win32_error.h"

#include <fcntl.h>
#include <io.h>

#include "system/win32/win32_text.h"

namespace xmascard::io {

std::string messageOf(DWORD error) {
    wchar_t* text = nullptr;
    FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = text ? narrow(text) : "error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == '.'))
        out.pop_back();
    return out;
}

HANDLE handleOf(int fd) { return reinterpret_cast<HANDLE>(_get_osfhandle(fd)); }

int descriptorOf(HANDLE handle) {
    // The descriptor only carries the handle; every read and write goes to the handle.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
    if (fd < 0) CloseHandle(handle);
    return fd;
}

}  // namespace xmascard::io
