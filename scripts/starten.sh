#!/bin/sh
# Starts Zivor. Without a display it runs on a virtual X display and saves a screenshot.
set -eu
programm="${1:-build/zivor}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$programm"
fi
bild="$(dirname "$programm")/zivor.png"
echo "Kein Bildschirm gefunden: Zivor läuft auf einem virtuellen X-Bildschirm, das Bildschirmfoto kommt nach $bild."
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh -c "
  \"$programm\" & pid=\$!
  sleep 3
  import -window root \"$bild\"
  kill \$pid
"
echo "Bildschirmfoto: $bild"
