// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <utility>

namespace xmascard::media {

// The outcome of a step that gives back nothing: done, or a one-line message saying what
// went wrong.
class Status {
  public:
    static Status done() { return Status({}); }
    static Status failure(std::string message) { return Status(std::move(message)); }

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

  private:
    explicit Status(std::string error) : error_(std::move(error)) {}
    std::string error_;
};

}  // namespace xmascard::media
