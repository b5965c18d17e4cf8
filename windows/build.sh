#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT

# Cross-builds tarquel.exe for 64-bit Windows against the static Qt of
# build-qt.sh (built first if the cache has none): `build.sh BUILD_DIR`.
# Linked with -static, the program is one file that needs no MinGW or Qt
# DLL beside it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1

qt=$("$here/build-qt.sh")
# The Qt source is the one this machine's archive serves, the version of
# the Qt the Linux build uses.
qt_source=$(dpkg-query -W -f='${source:Package} ${source:Version}' libqt6core6 2>/dev/null ||
            echo qt6-base)
if [ ! -f "$build/CMakeCache.txt" ]; then
  "$qt/bin/qt-cmake" -S "$here/.." -B "$build" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_EXE_LINKER_FLAGS="-static -s" \
    -DTARQUEL_QT_SOURCE="$qt_source"
fi
cmake --build "$build" -j"${JOBS:-2}"
