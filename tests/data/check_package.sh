#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Proves that the Debian package alone brings everything it needs: makes a
# clean Debian 12 root with debootstrap, installs the package there with
# apt-get and runs the program. `check_package.sh PACKAGE_BUILD_DIR`, as root.
set -euo pipefail
build=$(cd "$1" && pwd)
deb=$(ls "$build"/tarquel_*.deb | head -n1)
# The machine's own Debian archive, as its apt sources name it.
archive() {
  { grep -h '^URIs:' /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '{print $2}'
    awk '/^deb /{print $2}' /etc/apt/sources.list 2>/dev/null; } | grep -v security | head -n1
}
mirror=${DEBIAN_MIRROR:-$(archive)}
root="$build/bookworm-root"

if [ ! -x "$root/usr/bin/apt-get" ]; then
  rm -rf "$root"
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
cleanup() { umount "$root/proc" 2>/dev/null || true; }
trap cleanup EXIT
mount -t proc proc "$root/proc"

cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")"
chroot "$root" tarquel --version
chroot "$root" env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C.UTF-8 \
  tarquel --batch --png /tmp/demo.png integrate 0 3.141592
chroot "$root" sh -c 'test -s /tmp/demo.png && test -f /usr/share/man/man1/tarquel.1.gz &&
  ls /usr/share/applications /usr/share/metainfo /usr/share/icons/hicolor/scalable/apps'
echo "package check: installed and ran on a clean Debian 12 root"
