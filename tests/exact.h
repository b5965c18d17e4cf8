// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// QCOMPARE is fuzzy on floating point; these texts read back to the same
// value, so comparing them is comparing bits (−0 and 0 apart).
inline QString exact(double value) { return QString::number(value, 'g', 17); }
inline QString exact(float value) { return QString::number(double(value), 'g', 9); }
