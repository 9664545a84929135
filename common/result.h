#pragma once
// The outcome of an operation that can fail with a message for the user: a file
// written, a defaults file kept, a table built, a library bound. Success carries the
// value (nothing for Result<>), failure carries what went wrong; neither can be
// dropped unread.
#include <optional>
#include <string>
#include <utility>

namespace common {

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    static Result Failure(std::string message) { return Result(std::move(message), 0); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const& { return *value_; }
    T& value() & { return *value_; }
    T&& value() && { return std::move(*value_); }
    // Only when not ok().
    const std::string& message() const { return message_; }

private:
    Result(std::string message, int) : message_(std::move(message)) {}
    std::optional<T> value_;
    std::string message_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    static Result Failure(std::string message) {
        Result r;
        r.failed_ = true;
        r.message_ = std::move(message);
        return r;
    }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return message_; }

private:
    bool failed_ = false;
    std::string message_;
};

} // namespace common
