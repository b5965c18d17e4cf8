#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT

# Builds the static Qt that the Windows program links, once, into a cache
# outside the checkout: `build-qt.sh` prints the prefix it was installed to.
#
# The source is Debian's own qt6-base package (the Qt the Linux build uses,
# with Debian's patches), fetched with a private apt configuration made from
# the machine's own archive entries, so the system's sources stay as they
# are. The cache is keyed by the Qt version and this recipe: changing either
# builds anew, and nothing else does.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
qt_version=6.4.2

# Release, static, with a static C and C++ runtime, so that the program is
# one file. Core, Gui and Widgets alone; the Windows platform plugin and the
# offscreen one that the batch uses; bundled image, font and text libraries.
# DirectWrite 3 needs Direct2D, which this build leaves out, and Debian's
# source has no wintab, so tablet events are off.
configure_options=(
  -release -static -static-runtime -xplatform win32-g++ -qt-host-path /usr
  -nomake tests -nomake examples -no-opengl -no-dbus -no-icu
  -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
  -no-feature-network -no-feature-sql -no-feature-testlib -no-feature-printsupport
  -no-feature-concurrent -no-feature-xml -no-feature-directwrite3 -no-feature-tabletevent
)
cmake_options=(
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
)
# The recipe: the options and the toolchain, not the comments around them
# nor where the checkout lies.
recipe=$( { printf '%s\n' "${configure_options[@]}" "${cmake_options[@]}";
            grep -v '^#' "$here/toolchain-mingw64.cmake"; } | sha256sum | cut -c1-12)
home=${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}
cache=${TARQUEL_CACHE:-${XDG_CACHE_HOME:-$home/.cache}/tarquel}
prefix=$cache/qt-$qt_version-mingw64-static-$recipe
jobs=${JOBS:-2}

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tarquel-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
log=$cache/qt-$qt_version-build.log
mkdir -p "$cache"
echo "windows: building static Qt $qt_version into $prefix (25-40 minutes on two cores; log: $log)" >&2

# A source entry for every binary entry of the machine's Debian archive, in
# an apt configuration of its own.
apt_dir=$work/apt
mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  grep -q 'debian' "$f" || continue
  sed 's/^Types: deb$/Types: deb-src/' "$f" >"$apt_dir/sources.list.d/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
  grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' >"$apt_dir/sources.list" || true
fi
touch "$apt_dir/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list"
             -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
             -o "Dir::State::Lists=$apt_dir/lists"
             -o "Dir::Cache=$apt_dir/cache"
             -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root")
apt-get "${apt_options[@]}" update -qq
(cd "$work" && apt-get "${apt_options[@]}" source -qq qt6-base >"$log" 2>&1) ||
  { cat "$log" >&2; exit 1; }
src=$(find "$work" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n1)
[ -n "$src" ] || { echo "windows: no qt6-base $qt_version source" >&2; exit 1; }

build=$work/build
mkdir -p "$build"
(
  cd "$build"
  "$src/configure" -prefix "$prefix" "${configure_options[@]}" -- "${cmake_options[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$here/toolchain-mingw64.cmake"
  cmake --build . --parallel "$jobs"
  cmake --install .
) >>"$log" 2>&1 || { tail -n 60 "$log" >&2; exit 1; }
touch "$prefix/.complete"
echo "$prefix"
