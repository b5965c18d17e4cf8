// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <exception>

namespace tarquel {

// The failures a command can meet. The values are the numbers the report
// shows, by which users know a failure, so they stay as they are.
enum class ErrorKind { Overflow = 6, TypeMismatch = 13 };

// Abandons a command: nothing catches it inside the commands, the window
// reports it and goes on.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorKind kind) : kind_(kind) {}

    [[nodiscard]] ErrorKind kind() const { return kind_; }
    // The report the user sees: "Run-time error '6': Overflow".
    [[nodiscard]] const char* what() const noexcept override;

private:
    ErrorKind kind_;
};

} // namespace tarquel
