// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace xmascard::media {

// Sound for a device, pulled on the device's own thread: fills `frames` planar stereo
// frames. It must neither allocate nor wait for anything but the mixer's lock.
using PullSound = std::function<void(float* left, float* right, int frames)>;

// A stream to a sound device, which pulls its sound on a thread of its own until the stream
// is destroyed.
class AudioStream {
  public:
    virtual ~AudioStream() = default;
    // The sound stops within a few milliseconds, fading out rather than breaking off with a
    // click; nothing more is pulled.
    virtual void fadeOut() = 0;
    // Once the device has gone away for good (its sound server quit or died), why, in a
    // few words; nothing while it plays. A lost stream pulls nothing more: only a new one
    // sounds again.
    virtual std::optional<std::string> lost() const { return std::nullopt; }
    // The user's choice (see OpenAudioStream) that opens this device again; empty: the
    // choice that opened it.
    virtual std::string reopenAs() const { return {}; }
};

// Opens a stream on one of the sound devices a system has, by the user's choice: empty for
// the system's default order, or a device's name to use that one alone. Null, with `why`
// saying what each device answered, when none opens.
using OpenAudioStream = std::function<std::unique_ptr<AudioStream>(
    int sampleRate, PullSound pull, const std::string& choice, std::string& why)>;

}  // namespace xmascard::media
