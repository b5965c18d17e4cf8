// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>

namespace tarquel {

class FrmTarquel;

// The client area as vector graphics in twips: the drawing calls that the
// window shows (those since the last clear) in call order, then the axis
// lines and the labels over them, as the window paints them. Coordinates are
// the exact singles each call received, written as the shortest text that
// reads back to the same float.
QByteArray clientAreaSvg(const FrmTarquel& window);

} // namespace tarquel
