// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace xmascard {

// The value of an environment variable; no value when it is not set.
std::optional<std::string> Environ(const std::string& name);

// Reads the environment: the process's (Environ), or a test's.
using EnvironmentReader = std::function<std::optional<std::string>(const std::string&)>;

// The directory that receives the card's sound files: the one named by the environment
// variable WINDIR ("Windir", "windir") when it is set and not empty, else `fallback`.
std::string soundDirectoryFor(const EnvironmentReader& environment, std::string fallback);

// True when a file (not a directory) exists at the path.
bool fileExists(const std::string& path);

// The bytes of an embedded resource by type name and id ("CUSTOM", 101).
std::optional<std::vector<char>> LoadResData(int id, const std::string& type);

// Writes a whole file so that no stale bytes remain and nothing is written through a
// symbolic link: the bytes go to a new file beside the target, which then replaces the
// target (a link there is replaced, not followed). A directory or a read-only file in the
// way, or a directory that cannot be written, gives one line on standard error and false;
// the target is left as it was.
bool writeWholeFile(const std::string& path, const std::vector<char>& bytes);

}  // namespace xmascard
