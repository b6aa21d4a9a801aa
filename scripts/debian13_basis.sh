#!/bin/sh
# Makes, once, the minimal Debian 13 (trixie) system that the chroot builds start from, with
# debootstrap from the Debian mirror that apt on this machine is configured with, and keeps it
# under <folder>/basis; later runs find it there and do nothing. Downloaded packages are kept
# beside it in <folder>/apt. Needs root.
#
# Usage: scripts/debian13_basis.sh <folder>
set -eu

fehler() {
  echo "debian13_basis.sh: $*" >&2
  exit 1
}

ordner="$1"
basis="$ordner/basis"
archiv="$ordner/apt"
suite=trixie
mkdir -p "$ordner"

# Two builds on one machine may ask for it at the same time: one makes it, the other waits.
exec 8>"$ordner/.basis-sperre"
flock 8

if [ ! -e "$basis/.zivor-fertig" ]; then
  # The Debian mirror apt uses here: the first source of the distribution itself (not the
  # security archive), in the deb822 or the one-line format.
  spiegel="$(
    {
      cat /etc/apt/sources.list.d/*.sources 2>/dev/null | sed -n 's/^URIs:[[:space:]]*//p' | tr ' ' '\n'
      cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
        | sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\).*/\2/p'
    } | grep -E '^https?://.*/debian/?$' | head -n 1
  )"
  [ -n "$spiegel" ] || fehler "no Debian mirror found in /etc/apt/sources.list or /etc/apt/sources.list.d/"
  command -v debootstrap >/dev/null || {
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
      --no-install-recommends debootstrap
  }
  echo "Debian 13 ($suite) from $spiegel into $basis"
  rm -rf "$basis"
  mkdir -p "$basis" "$archiv"
  debootstrap --variant=minbase --include=make,ca-certificates "$suite" "$basis" "$spiegel" \
    || fehler "debootstrap $suite from $spiegel failed"
  printf 'deb %s %s main\ndeb %s %s-updates main\n' "$spiegel" "$suite" "$spiegel" "$suite" \
    > "$basis/etc/apt/sources.list"
  # Packages installed inside start no services.
  printf '#!/bin/sh\nexit 101\n' > "$basis/usr/sbin/policy-rc.d"
  chmod 755 "$basis/usr/sbin/policy-rc.d"
  rm -f "$basis"/var/cache/apt/archives/*.deb
  touch "$basis/.zivor-fertig"
fi
mkdir -p "$archiv/partial"
