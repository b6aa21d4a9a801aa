#!/bin/sh
# Builds, once, the static Qt for 64-bit Windows that zivor.exe links: Core, Gui, Widgets and
# the Windows platform plugin, release, from Debian's own source package qt6-base of the very
# version the host has installed (its tools moc, rcc and uic do the host's part of the build).
# Later runs find it in the cache and do nothing.
#
#   scripts/windows_qt.sh <cache folder> [parallel jobs]
#
# Prints the Qt folder (its lib/cmake/Qt6/qt.toolchain.cmake builds programs against it) on
# standard output, and everything else on standard error. The sources come with apt-get source
# from the mirror apt already uses (scripts/qt_quellen.sh: a deb-src list of its own in a scratch
# folder, removed again afterwards); the system's apt configuration stays as it is.
set -eu
exec 3>&1 1>&2
cd "$(dirname "$0")/.."
mkdir -p "$1"
cache="$(cd "$1" && pwd)"
jobs="${2:-$(nproc)}"

fehler() { echo "windows_qt.sh: $*" >&2; exit 1; }

version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null)" \
  || fehler "qt6-base-dev is not installed (scripts/pakete.sh installs it)"
qt="$cache/qt-$version-mingw-w64"
fertig="$qt/zivor-fertig"

# Two checkouts on one machine may share the cache: one builds, the other waits.
exec 9>"$cache/.sperre"
flock 9

if [ -f "$fertig" ]; then
  echo "Qt $version für Windows liegt schon in $qt"
  echo "$qt" >&3
  exit 0
fi

arbeit="$cache/arbeit-$version"
quelle="$arbeit/quellen/qtbase"
# A build that was cut short (a closed terminal, a session's end) goes on where it stopped.
if [ -f "$arbeit/bau/build.ninja" ] && [ -f "$arbeit/konfiguriert" ]; then
  echo "Setze den Bau von Qt $version in $arbeit/bau fort"
  cd "$arbeit/bau"
else
  rm -rf "$arbeit" "$qt"
  sh scripts/qt_quellen.sh "$arbeit" "$version"

  # Programs built against this Qt chain-load the toolchain file it was built with: it is kept
  # with the Qt, not taken from a checkout that may move.
  mkdir -p "$qt"
  cp windows/mingw-w64-x86_64.cmake "$qt/mingw-w64-x86_64.cmake"

  # Debian's source leaves out src/3rdparty/wintab, which pen-tablet input needs: no tablet events.
  # Modules Zivor does not use are left out; Direct2D stays on (the Windows platform plugin's
  # font database needs it in 6.4). The third-party libraries are the copies in the source.
  mkdir -p "$arbeit/bau"
  cd "$arbeit/bau"
  nice -n 10 "$quelle/configure" \
    -prefix "$qt" -static -static-runtime -release -opensource -confirm-license \
    -xplatform win32-g++ -qt-host-path /usr \
    -nomake examples -nomake tests \
    -no-feature-tabletevent -no-feature-androiddeployqt \
    -no-feature-concurrent -no-feature-network -no-feature-sql -no-feature-testlib \
    -no-feature-xml -no-feature-printsupport -no-dbus -no-feature-vulkan \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-pcre \
    -no-zstd -no-icu \
    -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  touch "$arbeit/konfiguriert"
fi
nice -n 10 cmake --build . --parallel "$jobs"
cmake --install .

[ -f "$qt/lib/cmake/Qt6/qt.toolchain.cmake" ] || fehler "the install holds no lib/cmake/Qt6/qt.toolchain.cmake"
cd "$cache"
rm -rf "$arbeit"
echo "qt6-base $version, statisch für x86_64-w64-mingw32" > "$fertig"
echo "$qt" >&3
