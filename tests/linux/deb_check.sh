#!/usr/bin/env bash
# The Debian package of pantrium-qt, checked as a user's machine would get it.
#   deb_check.sh build <build dir>      makes it (the built program, no rebuild) and
#                                       checks its file list and dependencies
#   deb_check.sh lintian <build dir>    lintian: no error and no warning
#   deb_check.sh start <build dir> <source dir>
#                                       unpacks it into <build dir>/deb-root and starts the
#                                       unpacked program under Qt's offscreen platform
#                                       in its self-check mode (app/qt_self_check.h):
#                                       it finds its icon and its help pages there and saves a list
#   deb_check.sh tree <build dir>       the same of the program in the build folder, whose
#                                       help pages are those made beside it (build/help)
# Prints "FAIL: ..." for each fault; exits 1 when there was one.
set -uo pipefail
what=$1 build=$(cd "$2" && pwd)
fails=0
fail() { echo "FAIL: $*"; fails=$((fails + 1)); }

deb_file() {
  local debs=("$build"/pantrium-qt_*.deb)
  [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: not one package in $build: ${debs[*]}"; exit 1; }
  echo "${debs[0]}"
}

case $what in
build)
  rm -f "$build"/pantrium-qt_*.deb
  cmake --build "$build" --target deb >"$build/deb-build.log" 2>&1 || { cat "$build/deb-build.log"; fail "the package was not made"; exit 1; }
  deb=$(deb_file)
  echo "made $deb"
  listing=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
  for f in /usr/bin/pantrium-qt /usr/share/applications/pantrium-qt.desktop \
           /usr/share/metainfo/pantrium.linux.pantrium_qt.metainfo.xml \
           /usr/share/pantrium/help/index.html /usr/share/pantrium/help/help.css \
           /usr/share/man/man1/pantrium-qt.1.gz /usr/share/doc/pantrium-qt/copyright \
           /usr/share/doc/pantrium-qt/changelog.gz; do
    grep -qxF "$f" <<<"$listing" || fail "$f is not in the package"
  done
  for size in 16 22 24 32 48 64 128 256; do
    grep -qxF "/usr/share/icons/hicolor/${size}x${size}/apps/pantrium-qt.png" <<<"$listing" ||
      fail "the ${size} px icon is not in the package"
  done
  # Nothing of the build tree or the source tree, nothing outside /usr.
  if grep -v '^/usr/' <<<"$listing" | grep -qvx '/'; then fail "files outside /usr: $(grep -v '^/usr/' <<<"$listing" | grep -vx '/' | head -3)"; fi
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  for lib in libqt6widgets6 libqt6gui6 libqt6printsupport6 libc6 libstdc++6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "the package does not depend on $lib"
  done
  [ "$(dpkg-deb -f "$deb" Version)" = "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$build/linux/pantrium.linux.pantrium_qt.metainfo.xml")" ] ||
    fail "the package's version is not the release of the AppStream metadata"
  ;;
lintian)
  deb=$(deb_file)
  lintian --fail-on error,warning --info --suppress-tags package-contains-documentation-outside-usr-share-doc \
          "$deb" 2>&1 | grep -v 'running with root privileges'
  [ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings"
  ;;
start)
  source_dir=$(cd "$3" && pwd)
  deb=$(deb_file)
  root=$build/deb-root work=$build/deb-run
  rm -rf "$root" "$work"
  mkdir -p "$root" "$work"
  dpkg-deb -x "$deb" "$root" || { fail "dpkg-deb -x failed"; exit 1; }
  exe=$root/usr/bin/pantrium-qt
  [ -x "$exe" ] || { fail "no program at $exe"; exit 1; }
  # The help folder is found from the program's place, never by a path built in.
  if grep -qF "$source_dir/help" "$exe" || grep -qF "$build/help" "$exe"; then
    fail "the program holds the path of the source or build tree's help folder"
  fi
  # A list with items, loaded at start-up and saved again.
  echo "week.ptm" >"$work/pantrium.ini"
  python3 "$source_dir/scripts/sample-list.py" "$work/week.ptm" >/dev/null
  size=$(stat -c %s "$work/week.ptm")
  touch -d '2000-01-01' "$work/week.ptm"
  (cd "$work" && QT_QPA_PLATFORM=offscreen PANTRIUM_SELF_CHECK="$work/report.txt" timeout 60 "$exe" >"$work/program.log" 2>&1)
  rc=$?
  cat "$work/report.txt" 2>/dev/null
  [ $rc -eq 0 ] || { cat "$work/program.log"; fail "the unpacked program ended with $rc"; }
  report=$(cat "$work/report.txt" 2>/dev/null)
  grep -q '^FAIL: ' <<<"$report" && fail "the program's self-check found faults"
  grep -qx 'icon: 16x16 24x24 32x32 48x48 64x64' <<<"$report" || fail "the main window's icon lacks its sizes"
  grep -qxF "help: $root/usr/share/pantrium/help/index.html" <<<"$report" ||
    fail "Help did not open the unpacked help pages in the help window"
  grep -qx 'help title: Pantrium' <<<"$report" || fail "the help window does not show the contents page"
  # The installed pages speak of Linux.
  help=$root/usr/share/pantrium/help
  grep -q 'Pantrium.chm' "$help"/*.html && fail "the installed help pages speak of the Windows help file"
  grep -q 'class="linux"\|class="windows"' "$help"/*.html && fail "the installed help pages keep their system marks"
  grep -qF '/usr/share/pantrium/help' "$help/menu_help.html" || fail "the help page of the Help menu does not say where the pages are"
  [ "$(head -c 13 "$work/week.ptm" 2>/dev/null)" = "Pantrium 1.50" ] || fail "the list was not saved as a list file"
  [ "$(stat -c %Y "$work/week.ptm")" -gt "$(date -d '2000-01-02' +%s)" ] || fail "the list was not written"
  [ "$(stat -c %s "$work/week.ptm")" = "$size" ] || fail "the saved list has not the size of the list loaded ($size bytes)"
  grep -qF "week.ptm" "$work/grocery.ini" 2>/dev/null || fail "grocery.ini does not name the saved list"
  ;;
tree)
  work=$build/tree-run
  rm -rf "$work" && mkdir -p "$work"
  echo "week.ptm" >"$work/pantrium.ini"
  (cd "$work" && QT_QPA_PLATFORM=offscreen PANTRIUM_SELF_CHECK="$work/report.txt" timeout 60 "$build/pantrium-qt" >"$work/program.log" 2>&1) ||
    { cat "$work/program.log"; fail "the program ended with an error"; }
  report=$(cat "$work/report.txt" 2>/dev/null)
  echo "$report"
  grep -q '^FAIL: ' <<<"$report" && fail "the program's self-check found faults"
  grep -qxF "help: $build/help/index.html" <<<"$report" || fail "Help did not open the pages made beside the program"
  [ -f "$work/week.ptm" ] || fail "the list was not saved"
  ;;
*) echo "usage: deb_check.sh build|lintian|start|tree <build dir> [source dir]"; exit 2 ;;
esac
[ $fails -eq 0 ] || exit 1
echo "deb_check $what: ok"
