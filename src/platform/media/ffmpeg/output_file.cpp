// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/mem.h>
}

namespace xmascard::media {
namespace {

constexpr int kBufferBytes = 256 * 1024;

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions a newly created file gets from the process's umask.
mode_t newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

Result<std::unique_ptr<OutputFile>> OutputFile::create(const std::string& target) {
    using R = Result<std::unique_ptr<OutputFile>>;
    if (target.empty() || target.back() == '/') return R::failure("no file name given");
    const std::string directory = directoryOf(target);
    std::string pattern = directory + "/." + nameOf(target) + ".XXXXXX";
    const int fd = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) return R::failure("cannot create " + target + " (" + std::strerror(errno) + ")");
    // mkostemp makes the file private; the finished video is an ordinary new file.
    fchmod(fd, newFileMode());
    std::unique_ptr<OutputFile> file(new OutputFile(fd, pattern, target));
    if (file->io_ == nullptr) return R::failure("out of memory");
    return R::success(std::move(file));
}

OutputFile::OutputFile(int fd, std::string temporary, std::string target)
    : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferBytes));
    if (buffer == nullptr) return;
    io_ = avio_alloc_context(buffer, kBufferBytes, 1, this, nullptr, &OutputFile::writeBytes,
                             &OutputFile::seekTo);
    if (io_ == nullptr) av_free(buffer);
}

OutputFile::~OutputFile() {
    discard();
    if (io_ != nullptr) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
}

int OutputFile::writeBytes(void* opaque, std::uint8_t* bytes, int size) {
    auto* self = static_cast<OutputFile*>(opaque);
    for (int done = 0; done < size;) {
        const ssize_t n = ::write(self->fd_, bytes + done, static_cast<std::size_t>(size - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            self->writeError_ = n < 0 ? errno : ENOSPC;
            return AVERROR(self->writeError_);
        }
        done += static_cast<int>(n);
    }
    return size;
}

std::int64_t OutputFile::seekTo(void* opaque, std::int64_t offset, int whence) {
    auto* self = static_cast<OutputFile*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat info {};
        return fstat(self->fd_, &info) == 0 ? info.st_size : AVERROR(errno);
    }
    const off_t at = lseek(self->fd_, offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
}

std::string OutputFile::failure() const {
    if (writeError_ != 0) return std::strerror(writeError_);
    if (io_ != nullptr && io_->error < 0) return "write error";
    return {};
}

Status OutputFile::fail(const std::string& what, int error) {
    discard();
    return Status::failure(what + " " + target_ + " (" + std::strerror(error) + ")");
}

Status OutputFile::commit() {
    if (fd_ < 0) return Status::failure("the video " + target_ + " was abandoned");
    avio_flush(io_);
    if (writeError_ != 0) return fail("cannot write", writeError_);
    if (io_->error < 0) return fail("cannot write", AVUNERROR(io_->error));
    if (fsync(fd_) != 0) return fail("cannot write", errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        std::remove(temporary_.c_str());
        return Status::failure("cannot write " + target_ + " (" + std::strerror(error) + ")");
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        std::remove(temporary_.c_str());
        return Status::failure("cannot put the video in place as " + target_ + " (" +
                               std::strerror(error) + ")");
    }
    return Status::done();
}

void OutputFile::discard() {
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    std::remove(temporary_.c_str());
}

}  // namespace xmascard::media
