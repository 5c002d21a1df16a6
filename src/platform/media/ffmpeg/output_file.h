// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "platform/media/result.h"
#include "platform/media/status.h"

struct AVIOContext;

namespace xmascard::media {

// The file a video is written into: a new temporary file beside the target (so that both
// lie on one file system), renamed over the target only once it is complete and on disk.
// Until then the target is untouched; a file that is not committed is removed, so a failed
// or abandoned recording leaves nothing behind.
class OutputFile {
  public:
    static Result<std::unique_ptr<OutputFile>> create(const std::string& target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Writes and seeks within the temporary file. A failed write leaves the context's
    // error set and the system's reason in failure().
    AVIOContext* io() { return io_; }
    // The temporary file as a URL, for muxers that read back what they wrote.
    std::string url() const { return "file:" + temporary_; }
    // Why the file could not be written, once it could not; empty before.
    std::string failure() const;

    // Writes out what is buffered, syncs the file and renames it over the target.
    Status commit();
    // Removes the temporary file; the target stays as it was.
    void discard();

  private:
    OutputFile(int fd, std::string temporary, std::string target);
    static int writeBytes(void* opaque, std::uint8_t* bytes, int size);
    static std::int64_t seekTo(void* opaque, std::int64_t offset, int whence);
    Status fail(const std::string& what, int error);

    int fd_;
    std::string temporary_;
    std::string target_;
    AVIOContext* io_ = nullptr;
    int writeError_ = 0;
};

}  // namespace xmascard::media
