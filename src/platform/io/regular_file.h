// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/io/result.h"

namespace xmascard::io {

// What tells one version of a file from another: a file replaced or rewritten in between
// has another inode, size or modification time. (On Windows: the volume's serial number
// and the file's index in it.)
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileIdentity&) const = default;
};

// A regular file open for reading. The open never blocks (O_NONBLOCK: a FIFO without a
// writer or a device is not waited for) and anything but a regular file is refused, so a
// FIFO, socket or device put in the place of a file the card reads cannot hang it. Links
// are followed: the file at the end is what counts.
class RegularFile {
  public:
    // Fails with the reason (the strerror of the failing call, or "not a regular file").
    static Result<RegularFile> open(const std::string& path);
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    const FileIdentity& identity() const { return identity_; }
    std::int64_t size() const { return identity_.size; }

    // Reads `count` bytes at `offset`; fewer only where the file ends. Fails with the
    // strerror of read.
    Result<std::vector<std::uint8_t>> readAt(std::int64_t offset, std::size_t count) const;

  private:
    RegularFile(int fd, FileIdentity identity) : fd_(fd), identity_(identity) {}

    int fd_ = -1;
    FileIdentity identity_;
};

// The bytes of a whole regular file and the identity of the version read.
struct FileBytes {
    std::vector<std::uint8_t> bytes;
    FileIdentity identity;
};

// Reads a whole regular file of at most `maxBytes` (a larger one is refused before any
// byte is read), with the guarantees of RegularFile. Nothing stays open afterwards.
Result<FileBytes> readRegularFile(const std::string& path, std::size_t maxBytes);

// The identity of the file a path names now (links followed); fails when there is none.
Result<FileIdentity> identityOf(const std::string& path);

}  // namespace xmascard::io
