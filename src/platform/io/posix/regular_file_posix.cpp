// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/io/regular_file.h"

namespace xmascard::io {
namespace {

FileIdentity identityFrom(const struct stat& info) {
    return FileIdentity{
        info.st_dev, info.st_ino, static_cast<std::int64_t>(info.st_size),
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::string cause() { return std::strerror(errno); }

}  // namespace

Result<RegularFile> RegularFile::open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Result<RegularFile>::failure(cause());
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const std::string why = cause();
        ::close(fd);
        return Result<RegularFile>::failure(why);
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Result<RegularFile>::failure(S_ISDIR(info.st_mode) ? std::strerror(EISDIR)
                                                                  : "not a regular file");
    }
    return Result<RegularFile>::success(RegularFile(fd, identityFrom(info)));
}

Result<std::vector<std::uint8_t>> RegularFile::readAt(std::int64_t offset,
                                                      std::size_t count) const {
    using R = Result<std::vector<std::uint8_t>>;
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, count - done,
                                    static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return R::failure(cause());
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return R::success(std::move(bytes));
}

Result<FileIdentity> identityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return Result<FileIdentity>::failure(cause());
    return Result<FileIdentity>::success(identityFrom(info));
}

}  // namespace xmascard::io
