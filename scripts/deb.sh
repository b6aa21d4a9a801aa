#!/bin/sh
# Builds the Debian package with debhelper (dpkg-buildpackage -b) in a copy of the tracked
# sources inside the build area, so that nothing lands beside the checkout, and leaves the one
# binary package as dist/zivor_<version>_<arch>.deb.
# Usage: scripts/deb.sh [scratch folder, default build/deb] [parallel jobs]
set -eu
cd "$(dirname "$0")/.."
mkdir -p "${1:-build/deb}"
bau="$(cd "${1:-build/deb}" && pwd)"
jobs="${2:-$(nproc)}"

git rev-parse --is-inside-work-tree >/dev/null 2>&1 \
  || { echo "scripts/deb.sh: needs a git checkout to know the tracked sources" >&2; exit 1; }
version="$(dpkg-parsechangelog -S Version)"
quelle="$bau/zivor-$version"
rm -rf "$bau"/zivor-* "$bau"/zivor_* "$bau"/zivor-dbgsym_*
mkdir -p "$quelle"

# Tracked files as they are in the working tree (files deleted there are left out).
git ls-files -z | xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done; true' sh \
  | tar --null -T - -cf - | tar -xf - -C "$quelle"

# The maintainer and the homepage come from herausgeber.conf (as the AppStream data's do).
wert() { sed -n "s/^$1=//p" herausgeber.conf | tail -n 1; }
for name in ZIVOR_BETREUER ZIVOR_EMAIL ZIVOR_HOMEPAGE; do
  [ -n "$(wert $name)" ] || { echo "scripts/deb.sh: herausgeber.conf sets no $name" >&2; exit 1; }
done
ersetze() { printf '%s' "$1" | sed 's/[\\/&|]/\\&/g'; }
for datei in debian/control debian/changelog debian/copyright; do
  sed -i -e "s|@ZIVOR_BETREUER@|$(ersetze "$(wert ZIVOR_BETREUER)")|g" \
         -e "s|@ZIVOR_EMAIL@|$(ersetze "$(wert ZIVOR_EMAIL)")|g" \
         -e "s|@ZIVOR_HOMEPAGE@|$(ersetze "$(wert ZIVOR_HOMEPAGE)")|g" "$quelle/$datei"
  if grep -n '@ZIVOR_[A-Z_]*@' "$quelle/$datei" >&2; then
    echo "scripts/deb.sh: $datei names a value herausgeber.conf does not set" >&2
    exit 1
  fi
done

(cd "$quelle" && DEB_BUILD_OPTIONS="noautodbgsym ${DEB_BUILD_OPTIONS:-}" \
  dpkg-buildpackage -b -us -uc -J"$jobs")

set -- "$bau"/zivor_*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
  echo "scripts/deb.sh: expected exactly one package in $bau, found: $*" >&2
  exit 1
fi
mkdir -p dist
rm -f dist/zivor_*.deb
mv "$1" dist/
echo "Paket: dist/$(basename "$1")"
