// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "plotting/runtime_error.h"

namespace tarquel {

const char* RuntimeError::what() const noexcept
{
    switch (kind_) {
    case ErrorKind::Overflow:
        return "Run-time error '6': Overflow";
    case ErrorKind::TypeMismatch:
        return "Run-time error '13': Type mismatch";
    }
    return "Run-time error";
}

} // namespace tarquel
