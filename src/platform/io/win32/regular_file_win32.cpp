// SPDX-License-Identifier: MIT
// Regular files on Windows, with the guarantees of the POSIX version: only a file on a disk
// is read (a pipe, console or device in its place is refused without waiting for it), in
// bounded positioned reads.
#include <io.h>

#include <utility>

#include "platform/io/regular_file.h"
#include "platform/io/win32/win32_error.h"
#include "system/win32/win32_text.h"

namespace xmascard::io {
namespace {

std::int64_t wide(DWORD high, DWORD low) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

FileIdentity identityFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    // FILETIME counts 100 ns steps.
    return FileIdentity{
        info.dwVolumeSerialNumber,
        static_cast<std::uint64_t>(wide(info.nFileIndexHigh, info.nFileIndexLow)),
        wide(info.nFileSizeHigh, info.nFileSizeLow),
        wide(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime) * 100};
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

Result<RegularFile> RegularFile::open(const std::string& path) {
    using R = Result<RegularFile>;
    const std::wstring name = widen(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return R::failure("Is a directory");
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return R::failure(lastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(file);
        return R::failure("not a regular file");
    }
    const int fd = descriptorOf(file);
    if (fd < 0) return R::failure("Too many open files");
    return R::success(RegularFile(fd, identityFrom(info)));
}

Result<std::vector<std::uint8_t>> RegularFile::readAt(std::int64_t offset,
                                                      std::size_t count) const {
    using R = Result<std::vector<std::uint8_t>>;
    std::vector<std::uint8_t> bytes(count);
    std::size_t done = 0;
    while (done < count) {
        const std::uint64_t at = static_cast<std::uint64_t>(offset) + done;
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(at);
        where.OffsetHigh = static_cast<DWORD>(at >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!ReadFile(handleOf(fd_), bytes.data() + done, chunk, &got, &where)) {
            if (GetLastError() == ERROR_HANDLE_EOF) break;
            return R::failure(lastError());
        }
        if (got == 0) break;
        done += got;
    }
    bytes.resize(done);
    return R::success(std::move(bytes));
}

Result<FileIdentity> identityOf(const std::string& path) {
    using R = Result<FileIdentity>;
    // No access is asked for: the attributes of any file can be read, even one in use.
    HANDLE file = CreateFileW(widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return R::failure(lastError());
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    const std::string why = known ? std::string() : lastError();
    CloseHandle(file);
    if (!known) return R::failure(why);
    return R::success(identityFrom(info));
}

}  // namespace xmascard::io
