#!/usr/bin/env bash
# SPDX-FileCopyrightText: The tarquel developers
# SPDX-License-Identifier: MIT

# The Windows program, proven under Wine against the Linux build, headless
# and with a fresh Wine prefix of its own: `check.sh WINDOWS_BUILD TARQUEL`.
# Every check is a row; a missing tool is a failure, never a skip.
set -uo pipefail
build=$(cd "$1" && pwd)
linux=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
here=$(cd "$(dirname "$0")" && pwd)
exe=$build/src/tarquel.exe
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
setup=$build/tarquel-$version-win64-setup.exe
zip=$build/tarquel-$version-win64.zip
started=$(date +%s)

passed=0
failed=0
row() { # row NAME COMMAND...: passes when the command does
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
  fi
}

for tool in /usr/lib/wine/wine64 /usr/lib/wine/wineserver Xvfb openbox xdotool import unzip; do
  command -v "$tool" >/dev/null || { echo "windows check: $tool is missing (make windows-setup)" >&2; exit 1; }
done
/usr/bin/python3 -c 'import PIL' || { echo "windows check: python3-pil is missing" >&2; exit 1; }
for file in "$exe" "$setup" "$zip" "$linux"; do
  [ -f "$file" ] || { echo "windows check: $file is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/tarquel-windows.XXXXXX")
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
wine=/usr/lib/wine/wine64
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null
  [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null
  /usr/lib/wine/wineserver -k 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

"$wine" wineboot --init >"$work/wineboot.log" 2>&1
/usr/lib/wine/wineserver -w
# The Korean labels in the batch's pictures: the same font as on Linux.
cp /usr/share/fonts/truetype/nanum/NanumGothic*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null

win() { "$wine" "$exe" "$@"; }

# --- The command line ---------------------------------------------------
row "--version" test "$(win --version)" = "tarquel $version"

# Bounds: the README's examples, the documented failures, random pairs.
# Abscissae stay below 1e15: beyond about 1e16 MinGW's sine (x87, from
# libmingwex) no longer reduces its argument exactly, and sums over such
# bounds differ from glibc's in their leading digits.
bounds=(0 3.141592 2 1 -3 3 3.141592 6.283184 -1 -2 0 1 1 1 -3.141592 6.283184
        abc 1 "" 1 0 "" 0 1e36 1e6 1000007 " 1" 2 1,5 2 0x10 1 inf 1 . 1 -platform 0
        1e-300 1e-299 -0 0 5 -7 100 -100 0.5 0.25 1e15 1000000000000007)
while read -r a b; do bounds+=("$a" "$b"); done < <(awk 'BEGIN { srand(20261208);
  for (i = 0; i < 180; i++) printf "%.6g %.6g\n", (rand() - 0.5) * 20, (rand() - 0.5) * 20 }')
commands=()
for ((i = 0; i < ${#bounds[@]}; i += 2)); do commands+=(integrate "${bounds[i]}" "${bounds[i + 1]}"); done
pairs=$((${#bounds[@]} / 2))
"$linux" --batch "${commands[@]}" >linux.out 2>linux.err
linux_status=$?
win --batch "${commands[@]}" >windows.out 2>windows.err
windows_status=$?
same() { cmp -s "$1" "$2" || { diff "$1" "$2" | head -n 6 | sed 's/^/     /'; false; }; }
row "$pairs captions identical" same linux.out windows.out
row "every failure's report identical" same linux.err windows.err
row "the table's exit status ($linux_status) identical" test "$linux_status" = "$windows_status"
row "a failing batch: status 1 and its report" \
  sh -c '"$0" "$1" --batch integrate x 1 >/dev/null 2>r.err; [ $? = 1 ] &&
         grep -qx "tarquel: command 1 (integrate x 1): Run-time error .13.: Type mismatch" r.err' \
  "$wine" "$exe"
row "the same file twice: usage error, nothing written" \
  sh -c '"$0" "$1" --batch --png same.png --svg ./same.png display 2>u.err; [ $? = 2 ] &&
         grep -q "name the same file" u.err && [ ! -e same.png ]' "$wine" "$exe"

# --- The pictures -------------------------------------------------------
demo=(display integrate 0 3.141592)
"$linux" --batch --png linux.png --svg linux.svg "${demo[@]}" >/dev/null
win --batch --png windows.png --svg windows.svg "${demo[@]}" >/dev/null
row "SVG byte-identical" cmp -s linux.svg windows.svg
cat >compare.py <<'PY'
import sys
from PIL import Image
a = Image.open(sys.argv[1]).convert("RGB")
b = Image.open(sys.argv[2]).convert("RGB")
if a.size != b.size:
    sys.exit(f"sizes {a.size} and {b.size}")
labels = [(488, 184, 97, 33), (144, 32, 25, 17), (368, 160, 25, 17)]  # lblResult, lblY, lblX
def outside(x, y):
    return not any(l <= x < l + w and t <= y < t + h for l, t, w, h in labels)
differ = sum(1 for y in range(a.height) for x in range(a.width)
             if outside(x, y) and a.getpixel((x, y)) != b.getpixel((x, y)))
inside = sum(1 for y in range(a.height) for x in range(a.width)
             if not outside(x, y) and a.getpixel((x, y)) != b.getpixel((x, y)))
print(f"   {a.size[0]}x{a.size[1]}; outside the labels {differ} pixels differ, inside {inside}")
sys.exit(1 if differ else 0)
PY
row "PNG: same size, same pixels outside the labels" /usr/bin/python3 compare.py linux.png windows.png

# --- The window, under Xvfb -----------------------------------------------
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp 5>display 2>xvfb.log &
xvfb=$!
for _ in $(seq 100); do [ -s display ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 display)"
openbox --sm-disable >wm.log 2>&1 &
wm=$!
sleep 1
"$wine" "$exe" >window.log 2>&1 &
app=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --name "쉬운 수치 적분의 예" 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  sleep 0.1
done
row "the window opens" test -n "$window"
green() { import -window root shot.png 2>/dev/null && /usr/bin/python3 -c '
import sys
from PIL import Image
image = Image.open("shot.png").convert("RGB")
print(sum(1 for p in image.getdata() if p == (0, 255, 0)))'; }
if [ -n "$window" ]; then
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
  sleep 1
  before=$(green)
  xdotool key --window "$window" alt
  sleep 0.5
  xdotool key --window "$window" Return
  sleep 0.5
  xdotool key --window "$window" Return
  for _ in $(seq 50); do [ "$(green)" -gt 100 ] && break; sleep 0.2; done
  after=$(green)
  cp shot.png "$build/windows-display.png" 2>/dev/null
  row "Alt, Enter, Enter on Sin > Display draws the curve ($before, then $after green pixels)" \
    test "$after" -gt 100 -a "$before" = 0
fi
kill "$app" 2>/dev/null
/usr/lib/wine/wineserver -k 2>/dev/null
wait "$app" 2>/dev/null
app=""
unset DISPLAY

# --- The zip and the installer ------------------------------------------
row "the zip holds the program, README, licence and Qt's licence and source" \
  sh -c 'unzip -Z1 "$0" | sed "s|^[^/]*/||" | sort | tr "\n" " " | grep -qx \
    "LICENSE.txt README.txt qt/ qt/GPL-3.0.txt qt/LGPL-3.0.txt qt/SOURCE.txt tarquel.exe "' "$zip"
"$wine" "$setup" /S >install.log 2>&1
/usr/lib/wine/wineserver -w
installed="$WINEPREFIX/drive_c/Program Files/tarquel/tarquel.exe"
link=$(find "$WINEPREFIX/drive_c" -name 'tarquel.lnk' -path '*Start Menu*' 2>/dev/null | head -n1)
row "silent install puts tarquel.exe under Program Files" test -f "$installed"
row "and a Start-menu entry (${link#$WINEPREFIX/drive_c/})" test -n "$link"
row "and an uninstaller, registered" \
  grep -q 'CurrentVersion\\\\Uninstall\\\\tarquel' "$WINEPREFIX/system.reg"
row "the installed program runs" test "$("$wine" "$installed" --version 2>/dev/null)" = "tarquel $version"
"$wine" "$WINEPREFIX/drive_c/Program Files/tarquel/Uninstall.exe" /S >uninstall.log 2>&1
/usr/lib/wine/wineserver -w
row "silent uninstall removes the program" test ! -e "$installed"
row "and the Start-menu entry" test -z "$(find "$WINEPREFIX/drive_c" -name 'tarquel.lnk' 2>/dev/null)"

echo "windows check: $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
