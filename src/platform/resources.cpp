// SPDX-License-Identifier: MIT
#include "platform/resources.h"

namespace xmascard {

std::optional<std::span<const std::uint8_t>> embeddedFile(std::string_view name) {
    for (const EmbeddedFile& file : embeddedFiles())
        if (file.name == name) return file.bytes;
    return std::nullopt;
}

std::optional<std::vector<char>> LoadResData(int id, const std::string& type) {
    const auto bytes = embeddedFile(type + "/" + std::to_string(id));
    if (!bytes) return std::nullopt;
    return std::vector<char>(bytes->begin(), bytes->end());
}

}  // namespace xmascard
