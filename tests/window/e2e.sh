#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Starts a private X server with a small window manager and runs the end-to-end
# test against it: `e2e.sh TEST_BINARY [ARGS...]`.
set -euo pipefail

# Without the tools the test is skipped (77), unless TARQUEL_NO_SKIP=1.
for tool in Xvfb openbox xdotool wmctrl; do
  if ! command -v "$tool" >/dev/null; then
    echo "e2e: $tool is missing (make setup installs it)" >&2
    [ "${TARQUEL_NO_SKIP:-0}" = 1 ] && exit 1 || exit 77
  fi
done

work=$(mktemp -d)
cleanup() {
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# -displayfd picks a free display and tells its number.
Xvfb -displayfd 5 -screen 0 1920x1200x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "e2e: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

openbox --sm-disable >"$work/wm.log" 2>&1 &
wm=$!
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || { cat "$work/wm.log" >&2; echo "e2e: no window manager" >&2; exit 1; }

export QT_QPA_PLATFORM=xcb
"$@"
