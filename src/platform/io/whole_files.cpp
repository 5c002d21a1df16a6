// SPDX-License-Identifier: MIT
// The parts of reading and writing files that are the same on every system, around the
// system's own calls in regular_file.cpp and safe_file.cpp (io/win32/ on Windows).
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

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

void closeDescriptor(int fd) {
#ifdef _WIN32
    _close(fd);
#else
    ::close(fd);
#endif
}

}  // namespace

RegularFile::~RegularFile() {
    if (fd_ >= 0) closeDescriptor(fd_);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), identity_(other.identity_) {}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) closeDescriptor(fd_);
        fd_ = std::exchange(other.fd_, -1);
        identity_ = other.identity_;
    }
    return *this;
}

Directory::~Directory() {
    if (fd_ >= 0) closeDescriptor(fd_);
}

Directory::Directory(Directory&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

Directory& Directory::operator=(Directory&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) closeDescriptor(fd_);
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
    }
    return *this;
}

SafeFileWriter::SafeFileWriter(int directoryFd, std::string name, std::string temp, int fd,
                               std::string path)
    : directoryFd_(directoryFd),
      name_(std::move(name)),
      temp_(std::move(temp)),
      fd_(fd),
      path_(std::move(path)) {}

Result<SafeFileWriter> SafeFileWriter::create(const std::string& path) {
    const std::size_t slash = path.find_last_of(kSeparators);
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return Result<SafeFileWriter>::failure("Is a directory");
    auto opened = Directory::open(directory);
    if (!opened.ok()) return Result<SafeFileWriter>::failure(opened.error());
    removeStaleTemporaries(opened.value(), [&](std::string_view other) { return other == name; });
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
