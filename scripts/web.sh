#!/bin/sh
# make web: Zivor for the browser in dist/web/, a folder that any static web server serves.
#
# The program is built with Debian 13's emscripten against a static, single-threaded Qt for
# WebAssembly made from Debian 13's own source package qt6-base (scripts/web_qt.sh builds it
# once into the Qt cache). Both builds run in a Debian 13 (trixie) environment of their own:
# a copy of the minimal system of scripts/debian13_basis.sh, kept beside it under
# /var/cache/zivor/debian13/web with the packages it needs, so that later runs only build.
# The icon's pictures come from the host build, whose icon tool runs here.
#
# Usage: scripts/web.sh <host build folder> <web build folder> <Qt cache folder> [jobs]
#   (as root or through sudo; ZIVOR_DEBIAN13 names another folder for the environments)
set -eu
cd "$(dirname "$0")/.."
quelle="$PWD"

fehler() { echo "web.sh: $*" >&2; exit 1; }

if [ "$(id -u)" -ne 0 ]; then
  exec sudo -E sh "$0" "$@"
fi

host="$1"
mkdir -p "$2" "$3"
bau="$(cd "$2" && pwd)"
cache="$(cd "$3" && pwd)"
jobs="${4:-$(nproc)}"

ordner="${ZIVOR_DEBIAN13:-/var/cache/zivor/debian13}"
umgebung="$ordner/web"
# Debian 13's emscripten (with its prebuilt system libraries), what building qtbase needs, and
# the host Qt of the same version, whose moc, rcc and uic do the host's part of both builds;
# fonts-liberation for the faces the program carries and fonttools to cut them down; patch for
# Zivor's changes to Qt's browser platform.
pakete="emscripten cmake ninja-build make qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils perl python3 fonts-liberation fonttools patch"

sh scripts/debian13_basis.sh "$ordner"

# Runs a command in the environment, as root with a plain environment, the checkout (read
# only), the web build folder and the cache mounted inside; the mounts end with the namespace.
in_umgebung() {
  unshare --mount --propagation private sh -eu -c '
    u="$1"; quelle="$2"; bau="$3"; cache="$4"; archiv="$5"; shift 5
    mount -t proc proc "$u/proc"
    mount -t sysfs sys "$u/sys"
    mount --rbind /dev "$u/dev"
    mount -t tmpfs tmpfs "$u/tmp"
    chmod 1777 "$u/tmp"
    mount --bind "$archiv" "$u/var/cache/apt/archives"
    mkdir -p "$u/zivor/quelle" "$u/zivor/bau" "$u/zivor/cache"
    mount --bind "$quelle" "$u/zivor/quelle"
    mount -o remount,bind,ro "$u/zivor/quelle"
    mount --bind "$bau" "$u/zivor/bau"
    mount --bind "$cache" "$u/zivor/cache"
    exec chroot "$u" env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
      PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
  ' sh "$umgebung" "$quelle" "$bau" "$cache" "$ordner/apt" "$@"
}

# The environment: made once from the minimal system, given the packages that are missing.
exec 7>"$ordner/.web-sperre"
flock 7
if [ ! -e "$umgebung/.zivor-fertig" ]; then
  echo "Debian 13 environment for the browser build in $umgebung"
  rm -rf "$umgebung" "$umgebung.neu"
  cp -a "$ordner/basis" "$umgebung.neu"
  mv "$umgebung.neu" "$umgebung"
  touch "$umgebung/.zivor-fertig"
fi
cp /etc/resolv.conf "$umgebung/etc/resolv.conf" 2>/dev/null || true
if [ "$(cat "$umgebung/.zivor-pakete" 2>/dev/null)" != "$pakete" ]; then
  in_umgebung sh -c "apt-get -q update && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -q --no-install-recommends $pakete" \
    || fehler "installing $pakete in $umgebung failed"
  echo "$pakete" > "$umgebung/.zivor-pakete"
fi
# The environment is ready: other checkouts may build in it at the same time (the Qt cache and
# each checkout's build folder have locks or places of their own).
flock -u 7

# The static Qt for WebAssembly, built the first time into the cache.
qt="$(in_umgebung sh /zivor/quelle/scripts/web_qt.sh /zivor/cache "$jobs")" \
  || fehler "the Qt for WebAssembly could not be built (scripts/web_qt.sh)"

# The icon's pictures, rendered by the host build's icon tool.
cmake -S . -B "$host"
cmake --build "$host" -j "$jobs" --target symbolbilder
rm -rf "$bau/symbolbilder"
cp -r "$host/symbolbilder" "$bau/symbolbilder"

# Zivor against that Qt (Debian's Qt switches the automatic inclusion of the platform plugin
# off, without which the program finds no wasm platform); the page lands in zivor-web/. With
# ZIVOR_PROFIL=1 the functions keep their names, for a profile, and the page goes to
# dist/web-profil instead.
programm=programm
ziel=dist/web
if [ "${ZIVOR_PROFIL:-0}" = 1 ]; then
  programm=programm-profil
  ziel=dist/web-profil
fi
in_umgebung env EMSDK=/zivor/cache/emsdk sh -eu -c '
  "$1/bin/qt-cmake" -S /zivor/quelle -B "/zivor/bau/$3" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQT_SKIP_AUTO_PLUGIN_INCLUSION=OFF -DZIVOR_SYMBOLBILDER=/zivor/bau/symbolbilder -DZIVOR_PROFIL="$4"
  nice -n 10 cmake --build "/zivor/bau/$3" -j "$2"
' sh "$qt" "$jobs" "$programm" "$([ "$programm" = programm ] && echo OFF || echo ON)" \
  || fehler "building Zivor for the browser failed"

rm -rf "$ziel"
mkdir -p dist
cp -r "$bau/$programm/zivor-web" "$ziel"
# Packed copies beside what the browser loads: a server set up for them (README) sends these as
# they are instead of packing at every request; a host that knows nothing of them sends the files.
for datei in "$ziel"/*.wasm "$ziel"/*.js "$ziel"/*.html "$ziel"/*.webmanifest; do
  gzip -9 -n -k -f "$datei"
  brotli -q 11 -k -f "$datei"
done
echo "Zivor für den Browser: $ziel/"
ls -l "$ziel"
