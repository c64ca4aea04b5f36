// The suite's one error strategy: a core routine returns either its value or a Failure that
// carries the reason in words; the program's run turns a Failure into its console line and
// exit status.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace lifcard {

struct Failure {
    std::string reason;
};

template <typename T>
class Result {
  public:
    Result(T value) : state_(std::move(value)) {}            // NOLINT(google-explicit-constructor)
    Result(Failure failure) : state_(std::move(failure)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool ok() const { return std::holds_alternative<T>(state_); }
    [[nodiscard]] T& value() { return std::get<T>(state_); }
    [[nodiscard]] const T& value() const { return std::get<T>(state_); }
    [[nodiscard]] const Failure& failure() const { return std::get<Failure>(state_); }

  private:
    std::variant<T, Failure> state_;
};

// The outcome of an operation that yields no value.
class Status {
  public:
    Status() = default;
    Status(Failure failure)
        : failure_(std::move(failure)) {}  // NOLINT(google-explicit-constructor)

    [[nodiscard]] bool ok() const { return !failure_.has_value(); }
    [[nodiscard]] const Failure& failure() const { return *failure_; }

  private:
    std::optional<Failure> failure_;
};

}  // namespace lifcard
