// SPDX-License-Identifier: MIT
#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/resources.h"

namespace xmascard {

namespace {

void complain(const std::string& path, const char* what) {
    std::fprintf(stderr, "xmascard: cannot write %s: %s; the card goes on without it\n",
                 path.c_str(), what);
}

bool writeAll(int fd, const std::vector<char>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

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

bool writeWholeFile(const std::string& path, const std::vector<char>& bytes) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            complain(path, "a directory is in the way");
            return false;
        }
        if (S_ISREG(st.st_mode) && ::access(path.c_str(), W_OK) != 0) {
            complain(path, "the file there is read-only");
            return false;
        }
    }
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        complain(path, std::strerror(errno));
        return false;
    }
    ::fchmod(fd, 0644);
    const bool written = writeAll(fd, bytes);
    const int closed = ::close(fd);
    if (!written || closed != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        complain(path, std::strerror(error));
        return false;
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        complain(path, std::strerror(error));
        return false;
    }
    return true;
}

}  // namespace xmascard
