#!/bin/sh
# Builds, once, the static Qt for WebAssembly that the browser program links: Core, Gui, Widgets
# and the wasm platform plugin, release, single-threaded with asyncify (so that exec() of a
# dialog works in the browser), from Debian's own source package qt6-base of the very version
# installed here (its host tools moc, rcc and uic do the host's part of the build). Later runs
# find it in the cache and do nothing. Runs inside the Debian 13 environment of scripts/web.sh.
#
#   scripts/web_qt.sh <cache folder> [parallel jobs]
#
# Prints the Qt folder (its bin/qt-cmake builds programs against it) on standard output, and
# everything else on standard error. The sources come with apt-get source from the mirror apt
# already uses (scripts/qt_quellen.sh); apt's configuration stays as it is.
set -eu
exec 3>&1 1>&2
cd "$(dirname "$0")/.."
quellordner="$PWD"
mkdir -p "$1"
cache="$(cd "$1" && pwd)"
jobs="${2:-$(nproc)}"

fehler() { echo "web_qt.sh: $*" >&2; exit 1; }

version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null)" \
  || fehler "qt6-base-dev is not installed"
emversion="$(dpkg-query -W -f='${Version}' emscripten 2>/dev/null)" \
  || fehler "emscripten is not installed"
qt="$cache/qt-$version-wasm"
fertig="$qt/zivor-fertig"

# Qt's configure wants an emsdk: EMSDK with an .emscripten file whose EMSCRIPTEN_ROOT names
# upstream/emscripten inside it. A folder of that shape points at Debian's emscripten.
emsdk="$cache/emsdk"
emscripten=/usr/share/emscripten
[ -x "$emscripten/emcc" ] || fehler "no emcc in $emscripten"
mkdir -p "$emsdk/upstream"
ln -sfn "$emscripten" "$emsdk/upstream/emscripten"
echo "EMSCRIPTEN_ROOT = emsdk_path + '/upstream/emscripten'" > "$emsdk/.emscripten"
export EMSDK="$emsdk"

# Two checkouts on one machine may share the cache: one builds, the other waits.
exec 9>"$cache/.sperre"
flock 9

# What this Qt is built from and how; a cache built otherwise is built anew.
stempel="qt6-base $version, emscripten $emversion, ohne DejaVu, ohne Markdown und ODF"
if [ -f "$fertig" ] && [ "$(cat "$fertig")" = "$stempel" ]; then
  echo "Qt $version für WebAssembly liegt schon in $qt"
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
  # Zivor brings the faces it shows (Liberation): the wasm platform plugin's own pair of DejaVu
  # faces (1 MB, half a megabyte over the wire) stays out of the program.
  sed -i -e '/^set(wasmfonts_resource_files/,/^)/d' \
    -e '/^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"/,/^)/d' \
    "$quelle/src/plugins/platforms/wasm/CMakeLists.txt"
  ! grep -q DejaVu "$quelle/src/plugins/platforms/wasm/CMakeLists.txt" \
    || fehler "the wasm plugin's fonts could not be left out"

  # Modules Zivor does not use are left out; the third-party libraries are the copies in the
  # source. The host Qt is Debian's (its CMake files in the multiarch folder).
  mkdir -p "$arbeit/bau"
  cd "$arbeit/bau"
  nice -n 10 "$quelle/configure" \
    -prefix "$qt" -platform wasm-emscripten -static -release -opensource -confirm-license \
    -qt-host-path /usr -nomake examples -nomake tests \
    -device-option QT_EMSCRIPTEN_ASYNCIFY=1 \
    -no-feature-thread -no-feature-concurrent -no-feature-network -no-feature-sql \
    -no-feature-testlib -no-feature-xml -no-feature-printsupport -no-dbus \
    -no-feature-textmarkdownreader -no-feature-textmarkdownwriter -no-feature-textodfwriter \
    -no-feature-jpeg -no-feature-gif -no-feature-ico -no-feature-movie \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-pcre -qt-freetype \
    -no-zstd -no-icu \
    -- -G Ninja \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  touch "$arbeit/konfiguriert"
fi
nice -n 10 cmake --build . --parallel "$jobs"
cmake --install .

[ -x "$qt/bin/qt-cmake" ] || fehler "the install holds no bin/qt-cmake"
cd "$cache"
rm -rf "$arbeit"
echo "$stempel" > "$fertig"
echo "$qt" >&3
