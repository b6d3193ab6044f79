#!/usr/bin/env bash
# Puts together a 32-bit Wine that runs on this 64-bit machine, whose kernel
# runs no 32-bit code itself: Debian's wine32:i386 and its i386 libraries,
# run through the user-mode emulator qemu-i386 (from qemu-user of
# bookworm-backports; bookworm's own qemu 7.2 does not honour Wine's
# fixed-address mappings).
#
# Usage: scripts/wine/wine32-setup.sh <folder>     (e.g. build-win32/wine32)
#
# Nothing of the machine's package set-up changes: the packages are fetched
# with private package lists and cache in <folder>/apt, and unpacked with
# dpkg-deb into <folder>/root (i386) and <folder>/qemu. They come from the
# machine's own package sources, as its `apt-get update` uses them (with any
# mirror or proxy set in its apt configuration), plus the backports suite of
# each of those sources for qemu-user. What was fetched, with its exact
# versions, is recorded in <folder>/versions.txt and printed on every run; a
# second run with everything in place fetches nothing.
set -euo pipefail

dest=${1:?usage: wine32-setup.sh <folder>}
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
apt_dir=$dest/apt
root=$dest/root
bin=$dest/bin
stamp=$dest/.ready

versions=$dest/versions.txt
print_versions() {
  echo "wine32-setup: $(wc -l <"$versions") packages in $dest:"
  sed 's/^/  /' "$versions"
}

# What a finished set-up was made for: a moved folder is set up again.
want="wine32 8 qemu-user backports; $dest"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && [ -x "$bin/lib/wine/wine" ] && [ -s "$versions" ]; then
  print_versions
  exit 0
fi
echo "wine32-setup: fetching 32-bit Wine and qemu-i386 into $dest"
started=$(date +%s)
rm -f "$stamp" "$versions"

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/preferences.d" "$apt_dir/debs"
# The machine's package sources, copied as they are.
eval "$(apt-config shell machine_list Dir::Etc::SourceList/f machine_parts Dir::Etc::SourceParts/d)"
rm -rf "$apt_dir/sources.list.d"
mkdir -p "$apt_dir/sources.list.d"
if [ -f "${machine_list:-}" ]; then cp "$machine_list" "$apt_dir/sources.list"; else : >"$apt_dir/sources.list"; fi
for f in "${machine_parts:-/nonexistent}"/*.list "${machine_parts:-/nonexistent}"/*.sources; do
  [ -f "$f" ] && cp "$f" "$apt_dir/sources.list.d/"
done
# qemu-user comes from the backports suite of the machine's release suites
# (those without a "-updates" or "-security" part), at the same addresses.
mapfile -t release_sources < <(apt-get indextargets --format '$(TARGET_OF) $(REPO_URI) $(RELEASE)' |
  awk '$1 == "deb" && $3 !~ /-/ {print $2, $3}' | sort -u)
if [ ${#release_sources[@]} -eq 0 ]; then
  echo "wine32-setup: the machine's apt configuration names no Debian release suite"; exit 1
fi
for entry in "${release_sources[@]}"; do
  read -r uri release <<<"$entry"
  echo "deb [signed-by=$keyring] $uri $release-backports main"
done >"$apt_dir/sources.list.d/wine32-backports.list"
backports=$release-backports
# An empty package status: the simulated install below then names every
# package of the closure, as for a machine without any i386 package.
: >"$apt_dir/status"
apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::Etc::Preferences=$apt_dir/preferences"
  -o "Dir::Etc::PreferencesParts=$apt_dir/preferences.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::State::status=$apt_dir/status"
  -o "Dir::Cache=$apt_dir/cache"
  -o "APT::Architecture=amd64"
  -o "APT::Architectures::=amd64" -o "APT::Architectures::=i386"
  -o "APT::Sandbox::User=root"
)
apt-get "${apt_opts[@]}" -q update >"$apt_dir/update.log" 2>&1 ||
  { cat "$apt_dir/update.log"; echo "wine32-setup: apt-get update failed"; exit 1; }

# wine32:i386 with its dependencies; the amd64 packages among them are the
# machine's own (multi-arch partners), the others are unpacked.
apt-get "${apt_opts[@]}" install -s --no-install-recommends wine32:i386 >"$apt_dir/closure.txt" 2>&1 ||
  { cat "$apt_dir/closure.txt"; echo "wine32-setup: cannot resolve wine32:i386"; exit 1; }
mapfile -t pkgs < <(awk '$1 == "Inst" && $0 !~ /\[amd64\]/ {print $2}' "$apt_dir/closure.txt")
if [ ${#pkgs[@]} -lt 20 ]; then
  cat "$apt_dir/closure.txt"; echo "wine32-setup: implausible package closure"; exit 1
fi
(cd "$apt_dir/debs" && rm -f ./*.deb &&
   apt-get "${apt_opts[@]}" -q download "${pkgs[@]}" "qemu-user/$backports" >"$apt_dir/download.log" 2>&1) ||
  { cat "$apt_dir/download.log"; echo "wine32-setup: download failed"; exit 1; }

# The exact versions, as the packages themselves state them.
for deb in "$apt_dir"/debs/*.deb; do
  dpkg-deb --show --showformat='${Package}:${Architecture} ${Version}\n' "$deb"
done | sort >"$versions.tmp"

rm -rf "$root" "$dest/qemu" "$bin"
mkdir -p "$root" "$dest/qemu"
for deb in "$apt_dir"/debs/*.deb; do
  case $(basename "$deb") in
    qemu-user_*) dpkg-deb -x "$deb" "$dest/qemu.tmp" ;;
    *) dpkg-deb -x "$deb" "$root" ;;
  esac
done
# One library folder, as on the machine itself (/lib is /usr/lib): the i386
# dynamic loader, run in qemu's view of the folder, otherwise gives up on
# /lib/i386-linux-gnu after its first miss there and then misses libz.
if [ -d "$root/lib" ] && [ ! -L "$root/lib" ]; then
  cp -a "$root/lib/." "$root/usr/lib/"
  rm -rf "$root/lib"
  ln -s usr/lib "$root/lib"
fi
# Of qemu-user's many emulators only the i386 one is kept.
mv "$dest/qemu.tmp/usr/bin/qemu-i386" "$dest/qemu/qemu-i386"
rm -rf "$dest/qemu.tmp" "$apt_dir/debs"
"$dest/qemu/qemu-i386" --version | head -n1

# What libwine's installation script does: Wine's user32 needs zlib1.dll,
# which it takes from libz-mingw-w64 marked as one of its own builtin DLLs.
zlib_in=$root/usr/i686-w64-mingw32/lib/zlib1.dll
zlib_out=$root/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll
{ head -c 64 "$zlib_in"; printf 'Wine builtin DLL'; head -c 16 /dev/zero; tail -c +97 "$zlib_in"; } >"$zlib_out"

wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
mkdir -p "$bin/lib/wine" "$bin/share"
cp "$root/usr/lib/wine/wine" "$bin/lib/wine/wine.elf"
ln -s "$wineserver" "$bin/lib/wine/wineserver"
ln -s "$root/usr/lib/i386-linux-gnu" "$bin/lib/i386-linux-gnu"
ln -s /usr/share/wine "$bin/share/wine"
# WINELOADERNOEXEC: the loader must not re-execute itself (it would start
# natively, which this kernel cannot); -0 gives it the name "wine".
cat >"$bin/lib/wine/wine" <<EOF
#!/bin/sh
WINELOADERNOEXEC=1 exec "$dest/qemu/qemu-i386" -L "$root" -0 wine "$bin/lib/wine/wine.elf" "\$@"
EOF
chmod +x "$bin/lib/wine/wine"

mv "$versions.tmp" "$versions"
echo "$want" >"$stamp"
echo "wine32-setup: ready in $(( $(date +%s) - started )) s"
print_versions
