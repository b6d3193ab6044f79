#!/usr/bin/env bash
# Installs what the build, the program and the tests need, when missing.
# What is missing is decided by the installed package (dpkg), never by the
# presence of a command: a command of the same name may come from elsewhere.
set -euo pipefail

packages=(
  cmake g++ make                          # native build
  clang libclang-rt-14-dev                # the fuzzer
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  mingw-w64                               # both Windows builds
  wine wine64 fonts-wine                  # the Windows program; Wine's own fonts
  xvfb x11-apps x11-utils imagemagick     # a display, screenshots
  poppler-utils                           # reading the printed PDFs
  fp-utils libchm-bin                     # the help file: chmcmd compiles it, extract_chmLib reads it back
  nsis                                    # the installer: makensis
  qt6-base-dev                            # the native Linux program (Qt 6 Widgets)
  dpkg-dev file lintian                   # its Debian package: dpkg-shlibdeps (which uses file), lintian
  desktop-file-utils appstream            # checks of its desktop entry and AppStream metadata
  openbox                                 # a window manager on Xvfb: the program's icon on X
  at-spi2-core dbus python3-pyatspi       # the screen-reader test: at-spi read with pyatspi
  debian-archive-keyring                  # wine32-setup.sh: the 32-bit Wine's packages
)

# --list: the packages, one a line (scripts/fresh-check.sh purges them).
if [ "${1:-}" = --list ]; then printf '%s\n' "${packages[@]}"; exit 0; fi

have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

need=()
for p in "${packages[@]}"; do have_pkg "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${need[@]}"
fi
