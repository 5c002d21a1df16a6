// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/media/engine_core.h"

namespace xmascard::media {

// A sound file read and made ready to play on a thread of its own, so that a slow disk,
// a large file or a damaged one that decodes slowly never holds up the thread that asked.
// The asker takes the result when it is there, or gives up on it after the time it allows:
// the thread then drops what it made, whenever it finishes. The job and the engine core it
// loads for are shared with the thread, so either side may go first.
class LoadJob {
  public:
    using Clock = std::chrono::steady_clock;

    static std::shared_ptr<LoadJob> start(std::shared_ptr<EngineCore> core, std::string path);

    const std::string& path() const { return path_; }
    Clock::time_point started() const { return started_; }

    // True once the result is there.
    bool finished() const;
    // Waits until the result is there or `deadline` has passed; true when it is there.
    bool waitUntil(Clock::time_point deadline) const;
    // The result (once finished()): the media, or why it cannot play; `warning` is set when
    // the file plays with a problem.
    Result<LoadedMedia> take(std::string& warning);
    // Tells the thread that nobody waits any more: it stops at its next step.
    void abandon() { abandoned_.store(true, std::memory_order_relaxed); }

  private:
    explicit LoadJob(std::string path) : path_(std::move(path)), started_(Clock::now()) {}
    void run(EngineCore& core);

    const std::string path_;
    const Clock::time_point started_;
    std::atomic<bool> abandoned_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable done_;
    std::optional<Result<LoadedMedia>> result_;
    std::string warning_;
};

}  // namespace xmascard::media
