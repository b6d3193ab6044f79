# Shared by run.sh and wine-smoke.sh (sourced): a private Wine prefix with its
# own wineserver, an Xvfb display when needed, and their cleanup by process id.
#
#   wine_setup <prefix-dir> [<wine32-dir>]
#                             exports WINEPREFIX, WINEDEBUG=-all; sets $wine_loader;
#                             with a wine32-dir (scripts/wine/wine32-setup.sh) the
#                             32-bit Wine under qemu-i386 and a 32-bit prefix
#   pe_is_32bit <file.exe>    whether the program is a 32-bit (i386) one
#   start_xvfb                starts Xvfb on a free display, exports DISPLAY
#   start_wineserver          starts this prefix's wineserver in the foreground
#   prepare_prefix            first use: wineboot -i; Wine's fonts (unless
#                             PANTRIUM_WINE_FONTS=0, which shows what the font
#                             guard of the tests catches); Wine draws the frames
#   set_wine_dpi <dpi>        the display scaling (LogPixels) of the prefix
#   stop_wine_and_xvfb        ends the wineserver and Xvfb started here, by pid
#   trap_wine_cleanup         on exit: kills $prog_pid (when set), then stop_wine_and_xvfb

xvfb_pid= ; ws_pid= ; wine_tmp= ; prog_pid=

wine_setup() {
  export WINEPREFIX=$1
  # Wine maps the prefix's user folders (Documents, Desktop, ...) to $HOME,
  # and writes its menu entries and caches there: the prefix gets a home of
  # its own beside it, so that nothing leaves the build tree.
  export HOME=$1-home
  unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
  mkdir -p "$HOME"
  export WINEDEBUG=${PANTRIUM_WINEDEBUG:--all}  # e.g. +seh to see exceptions
  export WINEDLLOVERRIDES="mscoree,mshtml="  # no Mono/Gecko installer prompts
  wine_loader=wine
  [ -x /usr/lib/wine/wine64 ] && wine_loader=/usr/lib/wine/wine64
  wineserver_bin=wineserver
  [ -x /usr/lib/wine/wineserver64 ] && wineserver_bin=/usr/lib/wine/wineserver64
  if [ -n "${2:-}" ]; then
    # The machine's wineserver serves the emulated 32-bit processes too.
    wine_loader=$2/bin/lib/wine/wine
    export WINEARCH=win32
  fi
  wine_tmp=$(mktemp -d)
  mkdir -p "$WINEPREFIX"
}

pe_is_32bit() {
  # The PE header's offset is at 0x3c; its machine field (0x14c: i386)
  # follows the 4-byte signature.
  local pe machine
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' ')
  [ "$machine" = 014c ]
}

start_xvfb() {
  # Xvfb picks a free display number itself and writes it to fd 3.
  Xvfb -displayfd 3 -screen 0 "${PANTRIUM_XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$wine_tmp/display" 2>"$wine_tmp/xvfb.log" &
  xvfb_pid=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$wine_tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$wine_tmp/display" ]; then
    echo "FAIL: Xvfb did not start"; cat "$wine_tmp/xvfb.log"; return 1
  fi
  export DISPLAY=:$(head -n1 "$wine_tmp/display")
}

start_wineserver() {
  # In the foreground, so that we hold its process id; persistent until killed.
  "$wineserver_bin" -f -p &
  ws_pid=$!
  local server i
  server=server-$(stat -c '%D' "$WINEPREFIX")-$(printf %x "$(stat -c '%i' "$WINEPREFIX")")
  for i in $(seq 1 100); do
    # Its socket lies in /tmp/.wine-<uid>/, or (Debian's Wine) in the folder
    # of /tmp that the prefix's file "wineserver" names.
    [ -S "/tmp/.wine-$(id -u)/$server/socket" ] && return 0
    [ -f "$WINEPREFIX/wineserver" ] && [ -S "/tmp/$(cat "$WINEPREFIX/wineserver")/$server/socket" ] && return 0
    kill -0 "$ws_pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "FAIL: wineserver did not start"
  return 1
}

prepare_prefix() {
  if [ ! -f "$WINEPREFIX/.pantrium-ready" ]; then
    echo "wine: creating the Wine prefix $WINEPREFIX"
    "$wine_loader" wineboot -i >/dev/null 2>&1 && touch "$WINEPREFIX/.pantrium-ready"
  fi
  # A prefix made before it had a home of its own links its user folders to
  # the real home folder: they are linked to the prefix's home instead.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    [ -L "$link" ] || continue
    case $(readlink "$link") in
      "$HOME"|"$HOME"/*) ;;
      *) rm -f "$link" && ln -s "$HOME" "$link" ;;
    esac
  done
  # Debian's Wine does not look in its own font folder: without these copies
  # "MS Sans Serif" falls back to another face and the caption buttons
  # (Marlett) show as letters.
  if [ "${PANTRIUM_WINE_FONTS:-1}" != 0 ] && [ -d /usr/share/wine/fonts ] &&
     [ -d "$WINEPREFIX/drive_c/windows/Fonts" ]; then
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  if [ "${WINEARCH:-}" = win32 ]; then
    # A crash ends the emulated program at once: Wine's debugger cannot attach
    # to it and would hold it until the deadline. (Under qemu-i386 Wine reports
    # an access violation as "illegal instruction", trap -1.)
    "$wine_loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
      /v Debugger /d none /f >/dev/null 2>&1
  fi
  # Wine draws the captions and frames itself (Xvfb has no window manager).
  "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  # Xvfb has no window manager to answer Wine's requests: unmanaged windows
  # close at once instead of after Wine's wait of 2 s for the manager.
  "$wine_loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
}

# Display scaling of the prefix: LogPixels in both places Wine reads it.
set_wine_dpi() {  # dpi (96 = 100 %)
  local key
  for key in 'HKCU\Control Panel\Desktop' \
             'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    "$wine_loader" reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  done
}

# Processes of this prefix (Wine's services, explorer, winedevice and the
# program), found by the WINEPREFIX in their environment.
prefix_pids() {
  local p
  for p in /proc/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${p#/proc/}"
  done
}

stop_wine_and_xvfb() {
  local i p left
  if [ -n "$ws_pid" ] && kill -0 "$ws_pid" 2>/dev/null; then
    # Ask our wineserver to end its processes first: killing the server alone
    # leaves Wine's service processes running.
    timeout 10 "$wineserver_bin" -k >/dev/null 2>&1
    for i in $(seq 1 25); do kill -0 "$ws_pid" 2>/dev/null || break; sleep 0.2; done
    kill "$ws_pid" 2>/dev/null
    wait "$ws_pid" 2>/dev/null
  fi
  ws_pid=
  if [ -n "${WINEPREFIX:-}" ]; then
    left=$(prefix_pids)
    if [ -n "$left" ]; then
      for p in $left; do kill "$p" 2>/dev/null; done
      sleep 0.5
      for p in $left; do kill -9 "$p" 2>/dev/null; done
    fi
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  xvfb_pid=
  [ -n "$wine_tmp" ] && rm -rf "$wine_tmp"
  wine_tmp=
}

# Screenshot of the screen's rectangle left,top,width,height as PNG.
trap_wine_cleanup() {
  # The cleanup runs to its end whatever fails on the way, also under set -e
  # (waiting for a killed wineserver reports its signal), and leaves the
  # script's own exit status alone.
  trap 'rc=$?; set +e; [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null; stop_wine_and_xvfb; exit $rc' EXIT
  trap 'exit 130' INT TERM
}

screenshot() {  # file left top width height
  xwd -root -silent -display "$DISPLAY" >"$wine_tmp/screen.xwd" &&
    convert "xwd:$wine_tmp/screen.xwd" -crop "${4}x${5}+${2}+${3}" +repage "$1"
}

# Screenshot of the top-level window that covers exactly this rectangle. The
# window itself is read: Wine's dialogs do not show in a read of the root
# window under Xvfb. Falls back to the rectangle of the screen.
window_shot() {  # file left top width height
  local id
  id=$(xwininfo -root -tree 2>/dev/null | grep -F " ${4}x${5}+${2}+${3} " | head -n1 | awk '{print $1}')
  if [ -n "$id" ] && xwd -id "$id" -silent -display "$DISPLAY" >"$wine_tmp/window.xwd"; then
    convert "xwd:$wine_tmp/window.xwd" "$1"
  else
    screenshot "$@"
  fi
}

# The main window of a program started in the current folder (run.sh,
# run-qt.sh): its caption is the loaded list's path up to its first full stop,
# or "Pantrium" when no list file is there yet. Waits for it while the program
# runs, then saves its picture.
shoot_main_window() {  # program-pid program-name shot-file
  local list="my Pantrium.ptm" first caption=Pantrium window= _
  if [ -f pantrium.ini ]; then
    first=$(head -n1 pantrium.ini | tr -d '\r"')
    [ -n "$first" ] && list=${first%%,*}
  fi
  [ -f "$list" ] && caption=${list%%.*}
  for _ in $(seq 1 150); do
    kill -0 "$1" 2>/dev/null || { echo "run: $2 ended early"; return 1; }
    window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$caption\": (" | head -n1 | awk '{print $1}' || true)
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "run: the main window \"$caption\" did not appear"; return 1; }
  sleep 1.5  # let it paint
  xwd -id "$window" -silent >"$wine_tmp/window.xwd" && convert "xwd:$wine_tmp/window.xwd" "$3" &&
    echo "run: screenshot of the main window saved to $3"
}
