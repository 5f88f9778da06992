// How the Qt side of the program reports a failure. A function that makes something returns
// Result<T>: the value, or the message that says why there is none. A function that only acts
// returns Result<>: nothing, or that message. The message is whole, ready to show the user.
// Both are [[nodiscard]]: a result dropped on purpose is cast to void, with the reason beside it.
//
//     Result<QImage> made = MakePicture(request);
//     if (!made) { report(made.error()); }
//
//     return Failure{QStringLiteral("Cannot create file ...")};   // or the value, or {}
#pragma once

#include <QString>
#include <utility>
#include <variant>

struct Failure {
    QString message;
};

template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    T& value() { return std::get<0>(state_); }
    const T& value() const { return std::get<0>(state_); }
    T& operator*() { return value(); }
    const T& operator*() const { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }

    // Empty when ok().
    QString error() const { return ok() ? QString() : std::get<1>(state_).message; }

private:
    std::variant<T, Failure> state_;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure.message)), failed_(true) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    QString error() const { return failure_; }

private:
    QString failure_;
    bool failed_ = false;
};
