// SPDX-License-Identifier: MIT
// The parts of reading and writing files that are the same on every system, around the
// system's own calls in regular_file.cpp and safe_file.cpp (io/win32/ on Windows).
#include <string>
#include <utility>

#include "platform/io/regular_file.h"
#include "platform/io/safe_file.h"

namespace xmascard::io {
namespace {

#ifdef _WIN32
constexpr const char* kSeparators = "/\\";  // Windows takes either
#else
constexpr const char* kSeparators = "/";
#endif

}  // namespace

Result<SafeFileWriter> SafeFileWriter::create(const std::string& path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return Result<SafeFileWriter>::failure("Is a directory");
    auto opened = Directory::open(directory);
    if (!opened.ok()) return Result<SafeFileWriter>::failure(opened.error());
    auto writer = create(opened.value(), name);
    if (writer.ok()) writer.value().path_ = path;
    return writer;
}

SafeFileWriter::SafeFileWriter(SafeFileWriter&& other) noexcept
    : directoryFd_(std::exchange(other.directoryFd_, -1)),
      name_(std::move(other.name_)),
      temp_(std::move(other.temp_)),
      fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      error_(std::move(other.error_)) {
    other.temp_.clear();
}

std::optional<std::string> writeFileSafely(const std::string& path,
                                           std::span<const std::uint8_t> bytes) {
    auto writer = SafeFileWriter::create(path);
    if (!writer.ok()) return writer.error();
    SafeFileWriter& w = writer.value();
    if (!w.write(bytes) || !w.commit()) return w.error();
    return {};
}

Result<FileBytes> readRegularFile(const std::string& path, std::size_t maxBytes) {
    using R = Result<FileBytes>;
    auto file = RegularFile::open(path);
    if (!file.ok()) return R::failure(file.error());
    const RegularFile& f = file.value();
    if (f.size() < 0 || static_cast<std::uint64_t>(f.size()) > maxBytes) {
        return R::failure("larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB");
    }
    // Only the bytes the file had when it was opened are read: a file that grows
    // meanwhile cannot make the read unbounded.
    auto bytes = f.readAt(0, static_cast<std::size_t>(f.size()));
    if (!bytes.ok()) return R::failure(bytes.error());
    return R::success(FileBytes{bytes.take(), f.identity()});
}

}  // namespace xmascard::io
