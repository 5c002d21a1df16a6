// SPDX-License-Identifier: MIT
#include "platform/media/mp3_decoder.h"

#include <mpg123.h>

#include <memory>
#include <mutex>

namespace xmascard::media {
namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const {
        mpg123_close(handle);
        mpg123_delete(handle);
    }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

// Appends decoded frames in the clip's channel layout, whatever layout this block has.
void appendFrames(PcmClip& clip, const float* data, std::size_t frames, int channels) {
    if (channels == clip.channels) {
        clip.samples.insert(clip.samples.end(), data, data + frames * channels);
        return;
    }
    for (std::size_t i = 0; i < frames; ++i) {
        if (clip.channels == 1) {
            clip.samples.push_back(0.5f * (data[2 * i] + data[2 * i + 1]));
        } else {
            clip.samples.push_back(data[i]);
            clip.samples.push_back(data[i]);
        }
    }
}

// Whether an Info/Xing header or ID3 tag declares more sound than the bytes can hold: a
// frame takes at least its 4-byte header and carries at most 1152 samples. Read at the
// stream's own rate, where libmpg123 takes the declared length as it is.
bool declaresTooMuch(std::span<const std::uint8_t> bytes) {
    int error = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &error));
    if (!handle) return false;
    mpg123_handle* mh = handle.get();
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    if (mpg123_open_feed(mh) != MPG123_OK || bytes.empty() ||
        mpg123_feed(mh, bytes.data(), bytes.size()) != MPG123_OK)
        return false;
    const std::int64_t mostFrames = static_cast<std::int64_t>(bytes.size() / 4);
    // The length first: asking for it reads the headers, which the frame count needs.
    const off_t samples = mpg123_length(mh);
    const off_t frames = mpg123_framelength(mh);
    return samples > mostFrames * 1152 || frames > mostFrames;
}

}  // namespace

Result<PcmClip> decodeMp3(std::span<const std::uint8_t> bytes, int sampleRate, std::string& warning,
                          const Mp3Limits& limits) {
    initLibrary();
    int error = MPG123_OK;
    Handle handle(mpg123_new(nullptr, &error));
    if (!handle) return Result<PcmClip>::failure("cannot start the MP3 decoder");
    mpg123_handle* mh = handle.get();
    long flags = MPG123_QUIET | MPG123_GAPLESS;
    // Converting the rate, libmpg123 walks every frame a header declares, one by one, when
    // it starts: four billion of them, declared by a damaged header in a few hundred bytes,
    // took over a minute in one call. Such a length is a lie, and is ignored.
    if (declaresTooMuch(bytes)) flags |= MPG123_IGNORE_STREAMLENGTH;
    mpg123_param(mh, MPG123_ADD_FLAGS, flags, 0);
    mpg123_format_none(mh);
    if (mpg123_format(mh, sampleRate, MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32) !=
            MPG123_OK ||
        mpg123_open_feed(mh) != MPG123_OK) {
        return Result<PcmClip>::failure("cannot set up the MP3 decoder");
    }
    if (!bytes.empty() && mpg123_feed(mh, bytes.data(), bytes.size()) != MPG123_OK) {
        return Result<PcmClip>::failure("the MP3 decoder refused the data");
    }

    PcmClip clip;
    int channels = 0;
    const std::int64_t maxFrames = static_cast<std::int64_t>(limits.maxSeconds * sampleRate);
    float block[8192];
    for (;;) {
        if (limits.abandon != nullptr && limits.abandon->load(std::memory_order_relaxed))
            return Result<PcmClip>::failure("decoding abandoned");
        std::size_t done = 0;
        int ret = mpg123_read(mh, reinterpret_cast<unsigned char*>(block), sizeof block, &done);
        if (ret == MPG123_NEW_FORMAT) {
            long rate = 0;
            int encoding = 0;
            mpg123_getformat(mh, &rate, &channels, &encoding);
            if (clip.samples.empty()) clip.channels = channels;
        }
        if (done > 0 && channels > 0) {
            appendFrames(clip, block, done / (sizeof(float) * channels), channels);
        }
        if (clip.frames() >= maxFrames) {
            clip.samples.resize(static_cast<std::size_t>(maxFrames) * clip.channels);
            warning = "longer than " + std::to_string(static_cast<int>(limits.maxSeconds)) +
                      " s; only the first " + std::to_string(static_cast<int>(limits.maxSeconds)) +
                      " s play";
            break;
        }
        if (ret == MPG123_NEED_MORE || ret == MPG123_DONE) break;
        if (ret != MPG123_OK && ret != MPG123_NEW_FORMAT) {
            if (channels == 0) {
                if (mpg123_errcode(mh) == MPG123_BAD_OUTFORMAT) {
                    return Result<PcmClip>::failure("its sample rate cannot be converted to " +
                                                    std::to_string(sampleRate) + " Hz");
                }
                return Result<PcmClip>::failure(std::string("not a playable MP3 file (") +
                                                mpg123_strerror(mh) + ")");
            }
            warning =
                std::string("damaged MP3 data after the first part (") + mpg123_strerror(mh) + ")";
            break;
        }
    }
    if (clip.frames() == 0) {
        return Result<PcmClip>::failure("not an MP3 file (no MPEG audio frames found)");
    }
    clip.samples.shrink_to_fit();
    return Result<PcmClip>::success(std::move(clip));
}

}  // namespace xmascard::media
