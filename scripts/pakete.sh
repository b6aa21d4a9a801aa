#!/bin/sh
# Installs the Debian packages Zivor needs to build, test and run, and only those that are missing.
# Usage: scripts/pakete.sh [run|deb|debtest|windows|web|test-web]
#   ("run" adds what a machine without a display needs)
set -eu

pakete="cmake make g++ qt6-base-dev qt6-svg-dev libqt6svg6 fonts-liberation fonts-dejavu-core desktop-file-utils"
# The tests on a real X display: Xvfb, the window managers openbox and xfwm4, X input and
# properties, and the accessibility bus with a client library; in a Wayland session: the
# headless compositor weston and Qt's Wayland platform plugin.
pakete="$pakete xvfb xauth openbox xfwm4 xdotool x11-utils dbus at-spi2-core python3-pyatspi"
pakete="$pakete weston qt6-wayland"
# What a screen reader speaks: Orca with speech-dispatcher and espeak-ng, and the locale sources
# for a German locale of the test's own.
pakete="$pakete orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng locales procps"
if [ "${1:-}" = run ]; then
  pakete="$pakete xvfb xauth imagemagick"
fi
# "deb" adds Debian's build tools for make deb, "debtest" also the package's checkers.
if [ "${1:-}" = deb ] || [ "${1:-}" = debtest ]; then
  pakete="$pakete build-essential debhelper dpkg-dev git"
fi
if [ "${1:-}" = debtest ]; then
  pakete="$pakete lintian appstream"
fi
# "windows" adds the cross compiler, the tools that build Qt from Debian's source package,
# NSIS for the installer and Wine (64-bit) with the German locale's sources for its test.
if [ "${1:-}" = windows ]; then
  pakete="$pakete g++-mingw-w64-x86-64-posix dpkg-dev xz-utils perl ninja-build nsis wine wine64 locales"
fi
# "web" adds debootstrap for the Debian 13 environment that builds the browser program, brotli
# and gzip for the page's packed copies, and for its test Chromium and Node.js with npm (a
# machine that already has Node.js keeps its own).
if [ "${1:-}" = web ]; then
  pakete="$pakete debootstrap chromium brotli gzip"
  command -v npm >/dev/null || pakete="$pakete nodejs npm"
fi

# "test-web" adds the other browser engines a school has, Firefox ESR (driven over WebDriver
# BiDi) and WebKitGTK, Safari's engine (its WebDriver and, for a window of the test's own, its
# GObject bindings), and Chromium's German interface for Orca reading it.
if [ "${1:-}" = test-web ]; then
  pakete="$pakete chromium chromium-l10n firefox-esr webkit2gtk-driver gir1.2-webkit2-4.1 python3-gi"
  command -v npm >/dev/null || pakete="$pakete nodejs npm"
fi

fehlt=""
for p in $pakete; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    fehlt="$fehlt $p"
  fi
done
[ -z "$fehlt" ] && exit 0

echo "Installiere:$fehlt"
if [ "$(id -u)" -eq 0 ]; then als=""; else als="sudo"; fi
# Two builds on one machine may install at the same time: apt waits for the other's lock
# instead of failing.
$als apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive $als apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
  --no-install-recommends $fehlt
