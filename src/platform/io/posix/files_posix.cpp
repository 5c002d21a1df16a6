// SPDX-License-Identifier: MIT
#include <sys/stat.h>

#include <cstdlib>

#include "platform/io/files.h"

namespace xmascard {

std::optional<std::string> Environ(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (!value) return std::nullopt;
    return std::string(value);
}

std::string soundDirectoryFor(const EnvironmentReader& environment, std::string fallback) {
    for (const char* name : {"WINDIR", "Windir", "windir"})
        if (auto dir = environment(name); dir && !dir->empty()) return *dir;
    return fallback;
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace xmascard
