#!/bin/sh
# Runs a command on an X display of its own: Xvfb with a window manager (openbox, or xfwm4 with
# --fm xfwm4), and with --bus inside a D-Bus session of its own that carries the accessibility
# bus. Everything it starts is stopped again at the end. It fails with a message when anything
# cannot start; it never skips. The command finds the window manager's name in ZIVOR_FM.
#
#   mit_bildschirm.sh [--bus] [--fm openbox|xfwm4] [--groesse BREITExHOEHE] -- command [arguments]
set -eu

bus=0
fm=openbox
groesse=1920x1440
while [ $# -gt 0 ]; do
  case "$1" in
    --bus) bus=1; shift ;;
    --groesse) groesse="$2"; shift 2 ;;
    --fm) fm="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "mit_bildschirm.sh: no command given" >&2; exit 2; }

fehler() {
  echo "mit_bildschirm.sh: $*" >&2
  exit 1
}

# The accessibility bus, and xfwm4's settings (xfconf), need a D-Bus session of their own.
if { [ "$bus" = 1 ] || [ "$fm" = xfwm4 ]; } && [ -z "${ZIVOR_EIGENER_BUS:-}" ]; then
  command -v dbus-run-session >/dev/null || fehler "dbus-run-session is missing (package dbus)"
  # A runtime folder of its own, so that the accessibility bus's socket is this run's alone.
  XDG_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/zivor-bus.XXXXXX")
  export XDG_RUNTIME_DIR
  if [ "$bus" = 1 ]; then set -- --bus -- "$@"; else set -- -- "$@"; fi
  ZIVOR_EIGENER_BUS=1 exec dbus-run-session -- sh "$0" --fm "$fm" --groesse "$groesse" "$@"
fi

case "$fm" in
  openbox|xfwm4) ;;
  *) fehler "unknown window manager '$fm' (openbox or xfwm4)" ;;
esac
for programm in Xvfb "$fm" xprop; do
  command -v "$programm" >/dev/null || fehler "$programm is missing (packages xvfb, $fm, x11-utils)"
done
ZIVOR_FM="$fm"
export ZIVOR_FM

ordner=$(mktemp -d "${TMPDIR:-/tmp}/zivor-x.XXXXXX")
xvfb=""
wm=""
aufraeumen() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  [ -n "$wm" ] && wait "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && wait "$xvfb" 2>/dev/null || true
  rm -rf "$ordner"
  case "${XDG_RUNTIME_DIR:-}" in */zivor-bus.*) [ -n "${ZIVOR_EIGENER_BUS:-}" ] && rm -rf "$XDG_RUNTIME_DIR" ;; esac
}
trap aufraeumen EXIT INT TERM

# Xvfb picks a free display itself and writes its number once it accepts connections.
mkfifo "$ordner/nummer"
Xvfb -displayfd 3 -screen 0 "${groesse}x24" -dpi 96 -nolisten tcp -noreset \
  3>"$ordner/nummer" >"$ordner/xvfb.log" 2>&1 &
xvfb=$!
nummer=$(timeout 20 head -n 1 "$ordner/nummer" || true)
[ -n "$nummer" ] || { cat "$ordner/xvfb.log" >&2; fehler "Xvfb did not start"; }
DISPLAY=":$nummer"
export DISPLAY

if [ "$fm" = openbox ]; then
  openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$ordner/fm.log" 2>&1 &
else
  xfwm4 --compositor=off >"$ordner/fm.log" 2>&1 &
fi
wm=$!
bereit=0
for _ in $(seq 100); do
  if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
    bereit=1
    break
  fi
  kill -0 "$wm" 2>/dev/null || break
  sleep 0.1
done
[ "$bereit" = 1 ] || { cat "$ordner/fm.log" >&2; fehler "$fm did not start on $DISPLAY"; }

if [ "$bus" = 1 ]; then
  # The accessibility bus is started on demand by the session bus; asking for its address
  # starts it, and fails when at-spi2-core is not there.
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >"$ordner/bus.log" 2>&1 || { cat "$ordner/bus.log" >&2; fehler "the accessibility bus (at-spi2-core) did not start"; }
fi

set +e
"$@"
ergebnis=$?
set -e
exit "$ergebnis"
