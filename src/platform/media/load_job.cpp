// SPDX-License-Identifier: MIT
#include "platform/media/load_job.h"

#include <new>
#include <thread>

namespace xmascard::media {

std::shared_ptr<LoadJob> LoadJob::start(std::shared_ptr<EngineCore> core, std::string path) {
    std::shared_ptr<LoadJob> job(new LoadJob(std::move(path)));
#ifdef XMASCARD_ONE_THREAD
    // A program of one thread (the browser's) reads and decodes the file here and now.
    job->run(*core);
#else
    // Detached: a job nobody waits for any more must not hold up the end of the program.
    std::thread([job, core = std::move(core)] { job->run(*core); }).detach();
#endif
    return job;
}

void LoadJob::run(EngineCore& core) {
    std::string warning;
    // On a thread of its own, memory that cannot be had fails this file alone.
    auto result = Result<LoadedMedia>::failure("out of memory");
    try {
        result = core.load(path_, warning, &abandoned_);
    } catch (const std::bad_alloc&) {
    }
    std::lock_guard<std::mutex> guard(mutex_);
    result_.emplace(std::move(result));
    warning_ = std::move(warning);
    done_.notify_all();
}

bool LoadJob::finished() const {
    std::lock_guard<std::mutex> guard(mutex_);
    return result_.has_value();
}

bool LoadJob::waitUntil(Clock::time_point deadline) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return done_.wait_until(lock, deadline, [this] { return result_.has_value(); });
}

Result<LoadedMedia> LoadJob::take(std::string& warning) {
    std::lock_guard<std::mutex> guard(mutex_);
    warning = std::move(warning_);
    Result<LoadedMedia> result = std::move(*result_);
    result_.emplace(Result<LoadedMedia>::failure("already taken"));
    return result;
}

}  // namespace xmascard::media
