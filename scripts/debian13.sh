#!/bin/sh
# Runs "make test" on a fresh minimal Debian 13 (trixie) as root, in a chroot.
#
# The minimal system is made once with debootstrap (scripts/debian13_basis.sh) from the Debian
# mirror that apt on this machine is configured with, and kept under
# /var/cache/zivor/debian13/basis; downloaded packages are kept beside it in
# /var/cache/zivor/debian13/apt. Every run works in a fresh copy of that system, clones the
# checkout into it (what is committed, HEAD), and runs "make test" there; the copy is removed
# afterwards. Mounts live in a mount namespace of their own and end with it.
#
# Usage: scripts/debian13.sh   (as root or through sudo; ZIVOR_DEBIAN13 names another folder)
set -eu
cd "$(dirname "$0")/.."
quelle="$PWD"

if [ "$(id -u)" -ne 0 ]; then
  exec sudo -E sh "$0" "$@"
fi

ordner="${ZIVOR_DEBIAN13:-/var/cache/zivor/debian13}"
basis="$ordner/basis"
archiv="$ordner/apt"

sh scripts/debian13_basis.sh "$ordner"

lauf="$ordner/lauf.$$"
rm -rf "$lauf"
aufraeumen() { rm -rf "$lauf"; }
trap aufraeumen EXIT INT TERM
echo "Fresh copy of Debian 13 in $lauf"
cp -a "$basis" "$lauf"
cp /etc/resolv.conf "$lauf/etc/resolv.conf" 2>/dev/null || true
git clone -q "$quelle" "$lauf/root/zivor"
echo "Checkout $(git -C "$lauf/root/zivor" log -1 --format='%h %s')"

# make test inside, as root, with a plain environment; the mounts end with the namespace.
unshare --mount --propagation private sh -eu -c '
  lauf="$1"; archiv="$2"
  mount -t proc proc "$lauf/proc"
  mount -t sysfs sys "$lauf/sys"
  mount --rbind /dev "$lauf/dev"
  mount -t tmpfs tmpfs "$lauf/tmp"
  chmod 1777 "$lauf/tmp"
  mount --bind "$archiv" "$lauf/var/cache/apt/archives"
  exec chroot "$lauf" env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    sh -c "cd /root/zivor && make test"
' sh "$lauf" "$archiv"
echo "make test on Debian 13: passed"
