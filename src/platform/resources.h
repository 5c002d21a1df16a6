// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xmascard {

// A file compiled into the program.
struct EmbeddedFile {
    std::string_view name;  // "pictures/tree.gif", "CUSTOM/101"
    std::span<const std::uint8_t> bytes;
};

// Every embedded file; made by the build from the assets folder.
std::span<const EmbeddedFile> embeddedFiles();

// The bytes of an embedded file by name; no value when there is none.
std::optional<std::span<const std::uint8_t>> embeddedFile(std::string_view name);

// The bytes of an embedded resource by type name and id ("CUSTOM", 101).
std::optional<std::vector<char>> LoadResData(int id, const std::string& type);

}  // namespace xmascard
