// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/io/result.h"

namespace xmascard::io {

// A directory opened once: every file made in it lands in that very directory, even when
// its path is replaced by a link while the files are written. While it is open (and while a
// file written in it is), the card holds a shared lock on it (flock), by which another card
// tells that the temporary files there may be in use (see removeStaleTemporaries).
class Directory {
  public:
    // Links in the path are followed (the user named it); fails with the strerror of open.
    static Result<Directory> open(const std::string& path);
    ~Directory();
    Directory(Directory&& other) noexcept;
    Directory& operator=(Directory&& other) noexcept;
    Directory(const Directory&) = delete;
    Directory& operator=(const Directory&) = delete;

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

  private:
    Directory(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}

    int fd_ = -1;
    std::string path_;
};

// A file written whole under a temporary name beside its final name, and put in place only
// when it is complete. The temporary file is created new (O_CREAT | O_EXCL | O_NOFOLLOW),
// so nothing is ever written through a link or into a FIFO or device someone else put
// there. commit() flushes the file to the disk, renames it over the final name and flushes
// the directory: a power loss leaves the old file or the new one, never an empty one. A
// link, FIFO or other special file at the final name is replaced (never opened); a
// directory or a read-only file there is refused. A writer dropped without commit()
// removes its temporary file.
//
// Every failure keeps the cause (the strerror of the call that failed) for error().
class SafeFileWriter {
  public:
    static Result<SafeFileWriter> create(const Directory& directory, const std::string& name);
    // Opens the directory of `path` for this one file, and removes the temporary files
    // killed runs left of it there (see removeStaleTemporaries).
    static Result<SafeFileWriter> create(const std::string& path);
    ~SafeFileWriter();
    SafeFileWriter(SafeFileWriter&& other) noexcept;
    SafeFileWriter& operator=(SafeFileWriter&& other) = delete;
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Appends bytes; false (and error() set) on failure, and every later call fails too.
    bool write(std::span<const std::uint8_t> bytes);
    // Writes bytes at an offset from the start, for headers patched at the end.
    bool writeAt(std::int64_t offset, std::span<const std::uint8_t> bytes);
    // Flushes, renames into place and flushes the directory. False with error() set when
    // any step fails; the temporary file is then removed and the final name left as it was.
    bool commit();

    const std::string& error() const { return error_; }
    // The final path, for messages.
    const std::string& path() const { return path_; }

  private:
    SafeFileWriter(int directoryFd, std::string name, std::string temp, int fd, std::string path);
    // Keeps the strerror of the call that just failed and removes the temporary file.
    bool fail();
    void discard();

    int directoryFd_ = -1;  // a duplicate of the directory's, owned here
    std::string name_;
    std::string temp_;
    int fd_ = -1;
    std::string path_;
    std::string error_;
};

// Why a file may not be put at `name` in the directory by renaming over what is there: a
// directory is in the way, or a regular file the user may not write (renaming over it would
// get round its permissions). Nothing when it may.
std::optional<std::string> replacementProblem(const Directory& directory, const std::string& name);

// Removes what runs that were killed while writing (SIGKILL, a crash, a power loss) left in
// the directory: the temporary files ".NAME.XXXXXX" of the names `ours` accepts, made by
// this user and untouched for over a minute. Only while no other card writes there (no one
// else holds the directory's lock), so a file being written is never taken away.
void removeStaleTemporaries(const Directory& directory,
                            const std::function<bool(std::string_view name)>& ours);

// Writes `bytes` as the whole content of `path` through a SafeFileWriter. Returns the
// cause when it cannot, nothing when the file is in place (nothing is printed).
std::optional<std::string> writeFileSafely(const std::string& path,
                                           std::span<const std::uint8_t> bytes);

}  // namespace xmascard::io
