// SPDX-License-Identifier: MIT
// The card's files on Windows: the environment in UTF-16 and the attributes of Win32;
// files are written through the Win32 version of io/safe_file.
#include "platform/io/files.h"
#include "system/win32/win32_text.h"
#include "system/win32/win32_windows.h"

namespace xmascard {

std::optional<std::string> Environ(const std::string& name) {
    const std::wstring wide = widen(name);
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0) {
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::string();
    }
    std::wstring value(size, L'\0');
    const DWORD length = GetEnvironmentVariableW(wide.c_str(), value.data(), size);
    value.resize(length);
    return narrow(value);
}

std::string soundDirectoryFor(const EnvironmentReader& environment, std::string fallback) {
    for (const char* name : {"WINDIR", "Windir", "windir"})
        if (auto dir = environment(name); dir && !dir->empty()) return *dir;
    return fallback;
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace xmascard
