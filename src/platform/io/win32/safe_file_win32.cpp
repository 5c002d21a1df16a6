// SPDX-License-Identifier: MIT
// Safe writes on Windows, with the guarantees of the POSIX version: the directory is held
// open (and so cannot be renamed or replaced) while its files are written; each file is
// written new (CREATE_NEW never opens what is there, a link included) under a temporary
// name beside its final one, flushed, then renamed over the final name, which replaces a
// link there rather than writing through it.
#include <io.h>

#include <random>
#include <utility>

#include "platform/io/safe_file.h"
#include "platform/io/win32/win32_error.h"
#include "system/win32/win32_text.h"

namespace xmascard::io {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string joined(const std::string& directory, const std::string& name) {
    return directory.empty() || isSeparator(directory.back()) ? directory + name
                                                              : directory + "\\" + name;
}

// Refuses what a rename must not replace: a directory, or a read-only file (renaming over
// it would get round its protection). A link there is replaced, whatever it points at.
std::optional<std::string> inTheWay(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return {};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return std::string("a directory is in the way");
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return std::string("the file there is read-only (Access is denied)");
    return {};
}

std::string randomSuffix() {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::string suffix(6, 'x');
    for (char& c : suffix) c = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
}

bool writeAt(int fd, std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        OVERLAPPED where{};
        where.Offset = static_cast<DWORD>(offset);
        where.OffsetHigh = static_cast<DWORD>(offset >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(fd), bytes.data(), chunk, &written, &where)) return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        bytes = bytes.subspan(written);
        offset += written;
    }
    return true;
}

}  // namespace

Result<Directory> Directory::open(const std::string& path) {
    using R = Result<Directory>;
    // Without FILE_SHARE_DELETE nobody can rename or remove the directory while it is open.
    HANDLE handle =
        CreateFileW(widen(path).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return R::failure(lastError());
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info) ||
        !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(handle);
        return R::failure("Not a directory");
    }
    const int fd = descriptorOf(handle);
    if (fd < 0) return R::failure("Too many open files");
    return R::success(Directory(fd, path));
}

std::optional<std::string> replacementProblem(const Directory& directory, const std::string& name) {
    return inTheWay(joined(directory.path(), name));
}

// A temporary file that is open cannot be removed on Windows; one left by a card that was
// ended from outside stays until the user removes it.
void removeStaleTemporaries(const Directory&, const std::function<bool(std::string_view)>&) {}

Result<SafeFileWriter> SafeFileWriter::create(const Directory& directory, const std::string& name) {
    using R = Result<SafeFileWriter>;
    // The writer holds the directory open too, for as long as it writes.
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), handleOf(directory.fd()), GetCurrentProcess(), &copy,
                         0, FALSE, DUPLICATE_SAME_ACCESS))
        return R::failure(lastError());
    const int dirFd = descriptorOf(copy);
    if (dirFd < 0) return R::failure("Too many open files");
    const std::string path = joined(directory.path(), name);
    if (auto problem = inTheWay(path)) {
        _close(dirFd);
        return R::failure(*problem);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string temp = "." + name + "." + randomSuffix();
        HANDLE file = CreateFileW(widen(joined(directory.path(), temp)).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            const int fd = descriptorOf(file);
            if (fd < 0) break;
            // Names are kept whole (directory and name), as Win32 calls take them.
            return R::success(
                SafeFileWriter(dirFd, path, joined(directory.path(), temp), fd, path));
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    std::string why = lastError();
    _close(dirFd);
    return R::failure(why);
}

SafeFileWriter::~SafeFileWriter() {
    discard();
    if (directoryFd_ >= 0) _close(directoryFd_);
}

bool SafeFileWriter::fail() {
    if (error_.empty()) error_ = lastError();
    discard();
    return false;
}

void SafeFileWriter::discard() {
    if (fd_ >= 0) _close(fd_);
    fd_ = -1;
    if (!temp_.empty()) DeleteFileW(widen(temp_).c_str());
    temp_.clear();
}

bool SafeFileWriter::write(std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return false;
    LARGE_INTEGER end{};
    if (!GetFileSizeEx(handleOf(fd_), &end)) return fail();
    return io::writeAt(fd_, static_cast<std::uint64_t>(end.QuadPart), bytes) || fail();
}

bool SafeFileWriter::writeAt(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    if (fd_ < 0) return false;
    return io::writeAt(fd_, static_cast<std::uint64_t>(offset), bytes) || fail();
}

bool SafeFileWriter::commit() {
    if (fd_ < 0) return false;
    if (!FlushFileBuffers(handleOf(fd_))) return fail();
    _close(std::exchange(fd_, -1));
    if (auto problem = inTheWay(name_)) {
        error_ = *problem;
        discard();
        return false;
    }
    if (!MoveFileExW(widen(temp_).c_str(), widen(name_).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail();
    temp_.clear();
    return true;
}

}  // namespace xmascard::io
