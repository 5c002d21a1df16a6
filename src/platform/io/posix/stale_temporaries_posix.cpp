// SPDX-License-Identifier: MIT
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <string>
#include <vector>

#include "platform/io/safe_file.h"

namespace xmascard::io {
namespace {

// Untouched for this long, a temporary file is left over rather than being written: a
// card writes its temporary files from start to end without pausing that long.
constexpr std::time_t kStaleSeconds = 60;
// The random part of a temporary name: SafeFileWriter's and mkstemp's six letters or digits.
constexpr std::size_t kRandomLetters = 6;

bool isLetterOrDigit(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The final name a temporary name ".NAME.XXXXXX" stands for; empty when it is none.
std::string_view finalNameOf(std::string_view temporary) {
    if (temporary.size() < kRandomLetters + 3 || temporary.front() != '.') return {};
    const std::size_t dot = temporary.size() - kRandomLetters - 1;
    if (temporary[dot] != '.') return {};
    for (const char c : temporary.substr(dot + 1))
        if (!isLetterOrDigit(c)) return {};
    return temporary.substr(1, dot - 1);
}

}  // namespace

void removeStaleTemporaries(const Directory& directory,
                            const std::function<bool(std::string_view name)>& ours) {
    // The exclusive lock is had only while no one else holds the shared one, that is while
    // no other card writes here. Taking it gives up this card's shared lock, which is taken
    // again below whatever happens.
    if (::flock(directory.fd(), LOCK_EX | LOCK_NB) == 0) {
        const int listing = ::openat(directory.fd(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (!entries && listing >= 0) ::close(listing);
        std::vector<std::string> stale;
        const std::time_t now = std::time(nullptr);
        while (entries) {
            const dirent* entry = ::readdir(entries);
            if (!entry) break;
            const std::string_view name = entry->d_name;
            const std::string_view final = finalNameOf(name);
            if (final.empty() || !ours(final)) continue;
            struct stat info {};
            if (::fstatat(directory.fd(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
                now - info.st_mtime < kStaleSeconds)
                continue;
            stale.emplace_back(name);
        }
        if (entries) ::closedir(entries);
        for (const std::string& name : stale) ::unlinkat(directory.fd(), name.c_str(), 0);
    }
    ::flock(directory.fd(), LOCK_SH | LOCK_NB);
}

}  // namespace xmascard::io
