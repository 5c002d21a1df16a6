// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace xmascard::io {

// The outcome of a fallible step: a value, or a one-line message saying what is wrong.
template <class T>
class Result {
  public:
    static Result success(T value) { return Result(std::move(value), {}); }
    static Result failure(std::string message) { return Result(std::nullopt, std::move(message)); }

    bool ok() const { return value_.has_value(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    T take() { return std::move(*value_); }
    const std::string& error() const { return error_; }

  private:
    Result(std::optional<T> value, std::string error)
        : value_(std::move(value)), error_(std::move(error)) {}

    std::optional<T> value_;
    std::string error_;
};

}  // namespace xmascard::io
