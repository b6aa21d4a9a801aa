#!/bin/sh
# Builds, once, the static Qt for WebAssembly that the browser program links: Core, Gui, Widgets
# and the wasm platform plugin, release, single-threaded, from Debian's own source package
# qt6-base of the very version installed here (its host tools moc, rcc and uic do the host's part
# of the build), with Zivor's changes to the platform plugin (web_qt_fensterbild.patch: windows'
# pictures kept in the canvas' own byte order and handed to it straight from the program's memory,
# only their changed parts; pointer positions in the screen's pixels where Qt scales the screen).
# It is
# built for size (-Oz), with WebAssembly's own exceptions, without asyncify (no event loop runs
# inside another: Zivor opens its one dialog without waiting for it) and without the parts of Qt
# that Zivor does not use. Later runs find it in the cache and do nothing. Runs inside the
# Debian 13 environment of scripts/web.sh.
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

# What Zivor leaves out of Qt: modules, widgets, dialogs, image formats, models and utilities it
# never uses, the floating-point raster paths, and the hardening that costs size. The 64-bit raster
# paths stay: without them Qt draws glyphs cut by a clip region in a transparent colour.
ohne="thread concurrent network sql testlib xml printsupport
  textmarkdownreader textmarkdownwriter textodfwriter jpeg gif ico movie
  style-stylesheet effects itemviews datetimeedit calendarwidget textbrowser textedit splashscreen
  splitter lcdnumber spinbox tabbar tabwidget toolbox toolbar dockwidget mdiarea statusbar
  sizegrip progressbar dial scroller graphicsview graphicseffect rubberband keysequenceedit
  commandlinkbutton stackedwidget whatsthis statustip undoview
  colordialog filedialog fontdialog progressdialog inputdialog errormessage wizard
  picture pdf imageformat_bmp imageformat_ppm imageformat_xbm image_heuristic_mask
  image_text sessionmanager systemtrayicon tabletevent undocommand undostack undogroup
  standarditemmodel filesystemmodel desktopservices raster-fp
  mimetype settings filesystemwatcher commandlineparser
  jalalicalendar islamiccivilcalendar hijricalendar permissions gestures
  proxymodel sortfilterproxymodel identityproxymodel transposeproxymodel concatenatetablesproxymodel
  stringlistmodel trivial_auto_var_init_pattern libcpp_hardening"
ohne="$(echo $ohne)"
patchsumme="$(sha256sum "$quellordner/scripts/web_qt_fensterbild.patch" | cut -c1-16)"

# What this Qt is built from and how; a cache built otherwise is built anew.
stempel="qt6-base $version, emscripten $emversion, Patch $patchsumme, -Oz, wasm-exceptions, ohne asyncify und DejaVu, ohne $ohne"
if [ -f "$fertig" ] && [ "$(cat "$fertig")" = "$stempel" ]; then
  echo "Qt $version für WebAssembly liegt schon in $qt"
  echo "$qt" >&3
  exit 0
fi

arbeit="$cache/arbeit-$version"
quelle="$arbeit/quellen/qtbase"
# A build that was cut short (a closed terminal, a session's end) goes on where it stopped.
if [ -f "$arbeit/bau/build.ninja" ] && [ "$(cat "$arbeit/konfiguriert" 2>/dev/null)" = "$stempel" ]; then
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
  patch -d "$quelle" -p1 --forward < "$quellordner/scripts/web_qt_fensterbild.patch" \
    || fehler "Zivor's changes to the platform plugin do not fit this Qt (scripts/web_qt_fensterbild.patch)"

  # Modules Zivor does not use are left out; the third-party libraries are the copies in the
  # source. The host Qt is Debian's (its CMake files in the multiarch folder).
  mkdir -p "$arbeit/bau"
  cd "$arbeit/bau"
  # shellcheck disable=SC2046
  nice -n 10 "$quelle/configure" \
    -prefix "$qt" -platform wasm-emscripten -static -release -optimize-size -opensource -confirm-license \
    -qt-host-path /usr -nomake examples -nomake tests \
    -feature-wasm-exceptions -no-dbus \
    $(for f in $ohne; do printf -- '-no-feature-%s ' "$f"; done) \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-pcre -qt-freetype \
    -no-zstd -no-icu \
    -- -G Ninja \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  echo "$stempel" > "$arbeit/konfiguriert"
fi
nice -n 10 cmake --build . --parallel "$jobs"
cmake --install .

[ -x "$qt/bin/qt-cmake" ] || fehler "the install holds no bin/qt-cmake"
cd "$cache"
rm -rf "$arbeit"
echo "$stempel" > "$fertig"
echo "$qt" >&3
