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

// Writes a whole file so that no stale bytes remain and nothing is written through a
// symbolic link or into a FIFO: the bytes go to a new file beside the target, which is
// flushed to the disk and then replaces the target (a link or special file there is
// replaced, never opened). A directory or a read-only file in the way, or a directory that
// cannot be written, returns the cause (the strerror of the failing call) and leaves the
// target as it was; nothing is printed.
std::optional<std::string> writeWholeFile(const std::string& path, const std::vector<char>& bytes);

}  // namespace xmascard
