// SPDX-License-Identifier: MIT
#include "platform/files.h"

#include <sys/stat.h>

#include <cstdlib>

#include "platform/io/safe_file.h"
#include "platform/resources.h"

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

std::optional<std::vector<char>> LoadResData(int id, const std::string& type) {
    const auto bytes = embeddedFile(type + "/" + std::to_string(id));
    if (!bytes) return std::nullopt;
    return std::vector<char>(bytes->begin(), bytes->end());
}

std::optional<std::string> writeWholeFile(const std::string& path, const std::vector<char>& bytes) {
    return io::writeFileSafely(path,
                               {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

}  // namespace xmascard
