#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Installs the build into a temporary prefix and checks what a desktop finds
# there with the ecosystem's own validators: `check_install.sh BUILD_DIR APP_ID`.
# Without a validator the test is skipped (77), unless TARQUEL_NO_SKIP=1.
set -euo pipefail
build=$1
id=$2

for tool in desktop-file-validate appstreamcli groff; do
  if ! command -v "$tool" >/dev/null; then
    echo "install check: $tool is missing (make setup installs it)" >&2
    [ "${TARQUEL_NO_SKIP:-0}" = 1 ] && exit 1 || exit 77
  fi
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log" >&2; rm -f "$prefix.log"; exit 1; }
rm -f "$prefix.log"

status=0
for file in bin/tarquel share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
            share/man/man1/tarquel.1.gz share/doc/tarquel/copyright share/doc/tarquel/changelog.gz; do
  [ -s "$prefix/$file" ] || { echo "install check: $file is missing" >&2; status=1; }
done
[ -x "$prefix/bin/tarquel" ] || { echo "install check: bin/tarquel is not executable" >&2; status=1; }
[ $status = 0 ] || exit 1

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic --explain "$prefix/share/metainfo/$id.metainfo.xml"

# The manual page: groff's warnings are failures, and it documents every option.
page=$(gzip -dc "$prefix/share/man/man1/tarquel.1.gz")
warnings=$(printf '%s\n' "$page" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
[ -z "$warnings" ] || { echo "$warnings" >&2; exit 1; }
for option in --batch --png --svg --scale --version --help; do
  printf '%s\n' "$page" | grep -q -- "${option//-/\\\\-}" ||
    { echo "install check: the manual page lacks $option" >&2; exit 1; }
done
echo "install check: layout, desktop entry, metainfo and manual page are valid"
