#!/bin/sh
# Fetches the source of Debian's qt6-base in one version with apt-get source, from the mirrors
# that apt already fetches binary packages from, and unpacks it with Debian's patches (security
# fixes among them), as Debian builds it, to <folder>/quellen/qtbase. apt gets a deb-src list,
# package lists and a cache of its own in <folder>/apt, removed again afterwards; the system's
# apt configuration stays as it is.
#
#   scripts/qt_quellen.sh <folder> <version of qt6-base>
set -eu
arbeit="$1"
version="$2"

fehler() { echo "qt_quellen.sh: $*" >&2; exit 1; }

mkdir -p "$arbeit/apt/lists/partial" "$arbeit/apt/cache/archives/partial" "$arbeit/quellen"
# The deb-src entries: one for each suite and component that apt fetches binary packages from.
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Identifier: Packages' \
  | sort -u | sed 's/^/deb-src /' > "$arbeit/apt/quellen.list"
[ -s "$arbeit/apt/quellen.list" ] || fehler "apt knows no mirror (apt-get indextargets is empty)"
echo "Quellen von:"; cat "$arbeit/apt/quellen.list"
apt_quellen() {
  apt-get -q -o Dir::Etc::SourceList="$arbeit/apt/quellen.list" -o Dir::Etc::SourceParts=/nonexistent \
    -o Dir::State::Lists="$arbeit/apt/lists" -o Dir::Cache="$arbeit/apt/cache" \
    -o APT::Sandbox::User="$(id -un)" "$@"
}
apt_quellen update
(cd "$arbeit/quellen" && apt_quellen source --download-only "qt6-base=$version")
rm -rf "$arbeit/apt"
(cd "$arbeit/quellen" && dpkg-source -x qt6-base_*.dsc qtbase >/dev/null)
[ -x "$arbeit/quellen/qtbase/configure" ] || fehler "the source package did not unpack to $arbeit/quellen/qtbase"
