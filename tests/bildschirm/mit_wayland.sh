#!/bin/sh
# Runs a command under a Wayland compositor of its own: weston, headless, drawing with pixman
# so that its screenshots show what the clients drew, with no X server at all (no Xwayland,
# no DISPLAY). The command finds the compositor in WAYLAND_DISPLAY and weston's log, which
# carries the clients' requests, in ZIVOR_WESTON_LOG. Weston is stopped again at the end. It
# fails with a message when weston cannot start; it never skips.
#
#   mit_wayland.sh -- command [arguments]
set -eu
[ "${1:-}" = -- ] && shift
[ $# -gt 0 ] || { echo "mit_wayland.sh: no command given" >&2; exit 2; }

fehler() {
  echo "mit_wayland.sh: $*" >&2
  exit 1
}
for programm in weston weston-screenshooter; do
  command -v "$programm" >/dev/null || fehler "$programm is missing (package weston)"
done

ordner=$(mktemp -d "${TMPDIR:-/tmp}/zivor-wayland.XXXXXX")
weston=""
aufraeumen() {
  [ -n "$weston" ] && kill "$weston" 2>/dev/null || true
  [ -n "$weston" ] && wait "$weston" 2>/dev/null || true
  rm -rf "$ordner"
}
trap aufraeumen EXIT INT TERM

XDG_RUNTIME_DIR="$ordner/laufzeit"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export XDG_RUNTIME_DIR
unset DISPLAY
# Weston 10 (Debian 12) and weston 14 (Debian 13) name the software renderer differently; the
# headless backend of weston 14 draws nothing unless asked to. --debug allows screenshots.
if weston --help 2>&1 | grep -q -- '--renderer'; then zeichner=--renderer=pixman; else zeichner=--use-pixman; fi
weston --backend=headless-backend.so "$zeichner" --socket=zivor --width=1280 --height=1024 \
  --idle-time=0 --debug --log="$ordner/weston.log" --logger-scopes=log,proto \
  >"$ordner/weston.out" 2>&1 &
weston=$!
bereit=0
for _ in $(seq 100); do
  if [ -S "$XDG_RUNTIME_DIR/zivor" ]; then
    bereit=1
    break
  fi
  kill -0 "$weston" 2>/dev/null || break
  sleep 0.1
done
[ "$bereit" = 1 ] || { cat "$ordner/weston.out" "$ordner/weston.log" >&2 2>/dev/null; fehler "weston did not start"; }
WAYLAND_DISPLAY=zivor
ZIVOR_WESTON_LOG="$ordner/weston.log"
export WAYLAND_DISPLAY ZIVOR_WESTON_LOG

set +e
"$@"
ergebnis=$?
set -e
exit "$ergebnis"
