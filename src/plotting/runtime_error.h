#pragma once

#include <QString>

#include <exception>

namespace tarquel {

// The failures a command can meet. The values are the numbers the report
// shows, as users of the original platform know them.
enum class ErrorKind { Overflow = 6, TypeMismatch = 13 };

// Abandons a command: nothing catches it inside the commands, the window
// reports it and goes on.
class RuntimeError : public std::exception {
public:
    explicit RuntimeError(ErrorKind kind) : kind_(kind) {}

    [[nodiscard]] ErrorKind kind() const { return kind_; }
    [[nodiscard]] const char* what() const noexcept override;
    // "Run-time error '6': Overflow"
    [[nodiscard]] QString report() const { return QString::fromLatin1(what()); }

private:
    ErrorKind kind_;
};

} // namespace tarquel
