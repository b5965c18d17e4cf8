// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include "plotting/window_services.h"

#include <string_view>

namespace tarquel {

// The two prompts and the result prefix, exactly as the user sees them.
inline constexpr std::string_view kLowerBoundPrompt = "하한 값은?(단 > - Pi) ";
inline constexpr std::string_view kUpperBoundPrompt = "또 상한값은?(단 < 2*Pi 보다 큰값)";
inline constexpr std::string_view kResultPrefix = "계산결과 ";

// Sin ▸ Integrate: asks for a lower and an upper bound, draws one blue box
// per step between the axis and the curve, and shows the composite
// trapezoidal rule over 2000 steps, cut down to thousandths, in lblResult.
// Typed numbers use `decimalSeparator`, the user's locale's.
void mnuSinIn_Click(WindowServices& window, std::string_view decimalSeparator = ".");

} // namespace tarquel
