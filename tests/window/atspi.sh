#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT
# Runs the AT-SPI test in a private X session (e2e.sh) with a private D-Bus
# session bus, on which the accessibility bus starts on demand:
# `atspi.sh TARQUEL`.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Without the tools the test is skipped (77), unless TARQUEL_NO_SKIP=1.
if ! command -v dbus-run-session >/dev/null || [ ! -x /usr/libexec/at-spi-bus-launcher ] ||
   ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "atspi: dbus-run-session, at-spi2-core or python3-pyatspi is missing (make setup installs them)" >&2
  [ "${TARQUEL_NO_SKIP:-0}" = 1 ] && exit 1 || exit 77
fi
exec "$here/e2e.sh" dbus-run-session -- /usr/bin/python3 "$here/atspi_test.py" "$1"
