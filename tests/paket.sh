#!/bin/sh
# Checks the Debian package in dist/: its files, dependencies and maintainer, lintian, the
# AppStream and desktop-entry validators; then, as root, that apt installs it, that the menu
# entry's command starts the installed program and that purging removes every file the package
# brought.
# Usage: tests/paket.sh [--ohne-root]   (--ohne-root: everything that does not need root)
set -eu
cd "$(dirname "$0")/.."
ohne_root="${1:-}"

fehler() { echo "FAILED: $*" >&2; exit 1; }

set -- dist/zivor_*.deb
[ $# -eq 1 ] && [ -f "$1" ] || fehler "expected exactly one package dist/zivor_*.deb, found: $*"
deb="$PWD/$1"
echo "== $1"

arbeit="$(mktemp -d)"
trap 'rm -rf "$arbeit"' EXIT

# The files the package brings, nothing more and nothing less.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort > "$arbeit/dateien"
sort > "$arbeit/erwartet" <<EOF
./usr/bin/zivor
./usr/share/applications/zivor.desktop
./usr/share/doc/zivor/changelog.gz
./usr/share/doc/zivor/copyright
./usr/share/icons/hicolor/32x32/apps/zivor.png
./usr/share/icons/hicolor/scalable/apps/zivor.svg
./usr/share/man/man1/zivor.1.gz
./usr/share/metainfo/de.zivor.zivor.metainfo.xml
EOF
diff -u "$arbeit/erwartet" "$arbeit/dateien" || fehler "the package's files differ from the list above"

# Dependencies: the Qt libraries the program links (on Debian 13 some carry the suffix t64 of
# the 64-bit time_t transition), the substitute fonts it asks for, and for a Wayland session
# the Qt platform plugin.
abhaengig="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $abhaengig"
for paket in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 fonts-liberation; do
  echo ", $abhaengig," | grep -q "[ ,]$paket\(t64\)\?[ ,(]" || fehler "Depends lacks $paket"
done
if echo "$abhaengig" | grep -q -- "-dev\b"; then fehler "Depends names a development package"; fi
echo ", $(dpkg-deb -f "$deb" Recommends)," | grep -q "[ ,]qt6-wayland[ ,(]" || fehler "Recommends lacks qt6-wayland"

# Maintainer and homepage are those of herausgeber.conf, in the package and its AppStream data.
wert() { sed -n "s/^$1=//p" herausgeber.conf | tail -n 1; }
[ "$(dpkg-deb -f "$deb" Maintainer)" = "$(wert ZIVOR_BETREUER) <$(wert ZIVOR_EMAIL)>" ] \
  || fehler "Maintainer '$(dpkg-deb -f "$deb" Maintainer)' is not the one in herausgeber.conf"
[ "$(dpkg-deb -f "$deb" Homepage)" = "$(wert ZIVOR_HOMEPAGE)" ] \
  || fehler "Homepage '$(dpkg-deb -f "$deb" Homepage)' is not the one in herausgeber.conf"

lintian --fail-on error,warning "$deb" || fehler "lintian reports errors or warnings"

dpkg-deb -x "$deb" "$arbeit/baum"
metainfo="$arbeit/baum/usr/share/metainfo/de.zivor.zivor.metainfo.xml"
grep -qF "<url type=\"homepage\">$(wert ZIVOR_HOMEPAGE)</url>" "$metainfo" \
  || fehler "the AppStream data lack the homepage of herausgeber.conf"
grep -qF "<name>$(wert ZIVOR_BETREUER)</name>" "$metainfo" \
  || fehler "the AppStream data lack the developer of herausgeber.conf"
appstreamcli validate --no-net "$metainfo" \
  || fehler "appstreamcli validate"
appstreamcli validate-tree --no-net "$arbeit/baum" || fehler "appstreamcli validate-tree"
meldungen="$(desktop-file-validate "$arbeit/baum/usr/share/applications/zivor.desktop" 2>&1)" \
  && [ -z "$meldungen" ] || fehler "desktop-file-validate: $meldungen"
echo "lintian, appstreamcli and desktop-file-validate: clean"

if [ "$(id -u)" -ne 0 ]; then
  if [ "$ohne_root" = --ohne-root ]; then
    echo "NOT RUN (OHNE_ROOT): installing, starting and purging the package need root."
    exit 0
  fi
  fehler "installing the package with apt-get, starting the installed program and purging it need root.
Run 'make test' as root, or run everything else with 'make test OHNE_ROOT=1' and this part
later with 'sudo sh tests/paket.sh'."
fi

apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 -o Dpkg::Use-Pty=0 "$@"
}
stand() { dpkg-query -W -f='${db:Status-Abbrev}' zivor 2>/dev/null || true; }

# A zivor left from before goes first, so that apt really installs this package.
case "$(stand)" in
  ''|?n*) ;;
  *) echo "Note: purging the zivor that is installed already ($(dpkg-query -W -f='${Version}' zivor))."
     apt_get purge zivor || fehler "apt-get purge of the zivor installed before" ;;
esac
apt_get install "$deb" || fehler "apt-get install $1"
[ "$(stand)" = "ii " ] || fehler "zivor is not installed after apt-get install: '$(stand)'"
[ "$(dpkg-query -W -f='${Version}' zivor)" = "$(dpkg-deb -f "$deb" Version)" ] \
  || fehler "the installed zivor is not the version in $1"

# The menu entry's command, found where packages put programs, is the program zivor brought;
# it starts and is still running three seconds later.
exec_zeile="$(sed -n 's/^Exec=//p' /usr/share/applications/zivor.desktop)"
set -- $(echo "$exec_zeile" | sed 's/%[fFuUick]//g')
[ $# -ge 1 ] || fehler "the desktop entry has no Exec command"
case "$1" in /*) programm="$1" ;; *) programm="/usr/bin/$1" ;; esac
dpkg-query -L zivor | grep -qx "$programm" || fehler "Exec=$exec_zeile runs $programm, which zivor did not bring"
shift
QT_QPA_PLATFORM=offscreen "$programm" "$@" > "$arbeit/ausgabe" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  status=0; wait "$pid" || status=$?
  cat "$arbeit/ausgabe" >&2
  fehler "$programm (Exec=$exec_zeile) ended within 3 s, status $status"
fi
kill "$pid"; wait "$pid" 2>/dev/null || true
echo "$programm (Exec=$exec_zeile) is still running after 3 s"

# Purging removes every file the package brought; a directory may stay only when another
# package owns it or it still holds other files.
dpkg-query -L zivor > "$arbeit/installiert"
grep -qx /usr/bin/zivor "$arbeit/installiert" || fehler "dpkg -L zivor lacks /usr/bin/zivor"
apt_get purge zivor || fehler "apt-get purge zivor"
case "$(stand)" in ''|?n*) ;; *) fehler "zivor is still known to dpkg after purge: '$(stand)'" ;; esac
while IFS= read -r pfad; do
  if [ -d "$pfad" ] && [ ! -L "$pfad" ]; then
    dpkg-query -S "$pfad" >/dev/null 2>&1 || [ -n "$(ls -A "$pfad")" ] \
      || fehler "purge left the empty directory $pfad"
  elif [ -e "$pfad" ] || [ -L "$pfad" ]; then
    fehler "purge left $pfad"
  fi
done < "$arbeit/installiert"
echo "apt-get install, start and apt-get purge: clean"
