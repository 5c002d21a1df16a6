// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

#include "platform/io/safe_file.h"

namespace xmascard::io {
namespace {

std::string cause() { return std::strerror(errno); }

// Refuses what a rename must not replace: a directory, or a regular file the user may not
// write (renaming over it would get round its permissions).
std::optional<std::string> inTheWay(int directoryFd, const std::string& name) {
    struct stat info {};
    if (::fstatat(directoryFd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return {};
    if (S_ISDIR(info.st_mode)) return std::string("a directory is in the way");
    if (S_ISREG(info.st_mode) && ::faccessat(directoryFd, name.c_str(), W_OK, 0) != 0)
        return std::string("the file there is read-only (") + std::strerror(errno) + ")";
    return {};
}

std::string randomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string suffix(6, 'x');
    for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
}

std::string joined(const std::string& directory, const std::string& name) {
    return directory.empty() || directory.back() == '/' ? directory + name : directory + "/" + name;
}

}  // namespace

Result<Directory> Directory::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Result<Directory>::failure(std::strerror(errno));
    // Without the lock (a file system that has none) only the cleaning of stale temporary
    // files is less careful; the writing is the same.
    ::flock(fd, LOCK_SH | LOCK_NB);
    return Result<Directory>::success(Directory(fd, path));
}

std::optional<std::string> replacementProblem(const Directory& directory, const std::string& name) {
    return inTheWay(directory.fd(), name);
}

Result<SafeFileWriter> SafeFileWriter::create(const Directory& directory, const std::string& name) {
    using R = Result<SafeFileWriter>;
    const int dirFd = ::fcntl(directory.fd(), F_DUPFD_CLOEXEC, 0);
    if (dirFd < 0) return R::failure(cause());
    if (auto problem = inTheWay(dirFd, name)) {
        ::close(dirFd);
        return R::failure(*problem);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = "." + name + "." + randomSuffix();
        const int fd = ::openat(dirFd, temp.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            return R::success(
                SafeFileWriter(dirFd, name, std::move(temp), fd, joined(directory.path(), name)));
        }
        if (errno != EEXIST) break;
    }
    std::string why = cause();
    ::close(dirFd);
    return R::failure(why);
}

SafeFileWriter::~SafeFileWriter() {
    discard();
    if (directoryFd_ >= 0) ::close(directoryFd_);
}

bool SafeFileWriter::fail() {
    if (error_.empty()) error_ = cause();
    discard();
    return false;
}

void SafeFileWriter::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty() && directoryFd_ >= 0) ::unlinkat(directoryFd_, temp_.c_str(), 0);
    temp_.clear();
}

bool SafeFileWriter::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return fail();
        bytes = bytes.subspan(static_cast<std::size_t>(n));
    }
    return true;
}

bool SafeFileWriter::writeAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return fail();
        bytes = bytes.subspan(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (fd_ < 0) return false;
    if (::fsync(fd_) != 0) return fail();
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0) return fail();
    if (auto problem = inTheWay(directoryFd_, name_)) {
        error_ = *problem;
        discard();
        return false;
    }
    if (::renameat(directoryFd_, temp_.c_str(), directoryFd_, name_.c_str()) != 0) return fail();
    temp_.clear();
    // The rename is durable only once the directory is on the disk too.
    if (::fsync(directoryFd_) != 0) {
        error_ = cause();
        return false;
    }
    return true;
}

}  // namespace xmascard::io
