#!/usr/bin/env bash
# The unpacked package's program on a real X display with a window manager
# (Xvfb and openbox): its main window carries the program's icon for the
# desktop (_NET_WM_ICON, every size of it) and the window class that the
# desktop entry names. Saves a picture of the screen with the framed window to
# <build dir>/screenshots/linux-installed-main-window.png.
#   x11_icon.sh <build dir> <source dir>
# Prints "FAIL: ..." for each fault; exits 1 when there was one.
set -uo pipefail
build=$(cd "$1" && pwd) source_dir=$(cd "$2" && pwd)
. "$source_dir/scripts/wine/wine-env.sh"
wine_tmp=$build/x11-icon-tmp
rm -rf "$wine_tmp" && mkdir -p "$wine_tmp"
wm_pid=
trap 'set +e; [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null; [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null; stop_wine_and_xvfb' EXIT

fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

debs=("$build"/pantrium-qt_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no package in $build"; exit 1; }
root=$build/deb-root-x11 work=$build/deb-run-x11
rm -rf "$root" "$work" && mkdir -p "$root" "$work"
dpkg-deb -x "${debs[0]}" "$root" || { echo "FAIL: dpkg-deb -x failed"; exit 1; }
python3 "$source_dir/scripts/sample-list.py" "$work/my Pantrium.ptm" >/dev/null

start_xvfb || exit 1
openbox >"$wine_tmp/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 1 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' ||
  { cat "$wine_tmp/openbox.log"; echo "FAIL: the window manager did not start"; exit 1; }

cd "$work"
QT_QPA_PLATFORM=xcb "$root/usr/bin/pantrium-qt" >"$wine_tmp/program.log" 2>&1 &
prog_pid=$!
window=
for _ in $(seq 1 250); do
  kill -0 "$prog_pid" 2>/dev/null || break
  # The window manager lists the windows it manages; ours is named after its list.
  for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -o '0x[0-9a-f]*'); do
    xprop -id "$id" WM_NAME 2>/dev/null | grep -qF '"my Pantrium"' && window=$id
  done
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  {
    kill -0 "$prog_pid" 2>/dev/null && echo "the program still runs" || echo "the program has ended"
    echo "program's output:"; cat "$wine_tmp/program.log"
    echo "window manager's output:"; cat "$wine_tmp/openbox.log"
    kill -0 "$wm_pid" 2>/dev/null || echo "the window manager has ended"
    echo "managed windows:"
    for id in $(xprop -root _NET_CLIENT_LIST 2>/dev/null | grep -o '0x[0-9a-f]*'); do xprop -id "$id" WM_NAME; done
    echo "named windows:"; xwininfo -root -tree 2>/dev/null | grep '"' | head -20
  } 2>&1 | tee "$build/x11-icon-failure.log"
  echo "FAIL: the main window did not appear under the window manager"
  exit 1
fi

# The program sets its icon while its window starts: waited for, with a deadline.
icon_sizes() {
  xprop -id "$window" _NET_WM_ICON 2>/dev/null | grep -o 'Icon ([0-9]* x [0-9]*)' | tr -d 'Icon() ' | sort -n | tr '\n' ' '
}
for _ in $(seq 1 100); do
  icons=$(icon_sizes)
  [ "$icons" = "16x16 24x24 32x32 48x48 64x64 " ] && break
  sleep 0.1
done
echo "_NET_WM_ICON: ${icons:-none}"
for size in 16 24 32 48 64; do
  grep -qw "${size}x${size}" <<<"$icons" || fail "_NET_WM_ICON has no ${size} x ${size} image"
done
class=$(xprop -id "$window" WM_CLASS 2>/dev/null)
echo "$class"
grep -qF '"Pantrium"' <<<"$class" || fail "the window class is not the StartupWMClass of the desktop entry (Pantrium)"

# The framed window with its icon in the title bar, once it has painted.
shot=$build/screenshots/linux-installed-main-window.png
mkdir -p "$(dirname "$shot")"
for _ in $(seq 1 50); do
  xprop -id "$window" _NET_WM_STATE >/dev/null 2>&1 && xprop -id "$window" WM_STATE 2>/dev/null | grep -q Normal && break
  sleep 0.1
done
sleep 1  # let it paint
xwd -root -silent >"$wine_tmp/screen.xwd" && convert "xwd:$wine_tmp/screen.xwd" "$shot" && echo "screenshot: $shot"

[ $fails -eq 0 ] || exit 1
echo "x11_icon: ok"
