#!/usr/bin/env bash
# Installs a Quorvane .deb on a fresh Debian 12 made with debootstrap, runs both programs from
# PATH as a new user, checks that a setting survives a restart, removes the package and checks
# that none of its files is left. Needs root, debootstrap and the network to the Debian mirror.
#   scripts/check-package.sh build-package/quorvane_0.1.0_amd64.deb [CHROOT]
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/var/tmp/quorvane-bookworm}
[ -d "$root/usr" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
cp /etc/resolv.conf "$root/etc/resolv.conf"
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
cp "$deb" "$root/tmp/quorvane.deb"
chroot "$root" bash -euo pipefail -c '
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq /tmp/quorvane.deb >/dev/null
dpkg -L quorvane > /tmp/package-files
! id tester >/dev/null 2>&1 || userdel -r tester 2>/dev/null
useradd -m tester
su - tester -s /bin/bash -c "
set -euo pipefail
quorvane-cli --version; quorvane --version
quorvane-cli summary /usr/share/quorvane/samples/calls.lvt --columns 0,28 | grep -qx \"13	SETUP\"
QT_QPA_PLATFORM=offscreen quorvane --screenshot /tmp/first.png \
    /usr/share/quorvane/samples/calls.lvt 2>/dev/null
sed -i \"/^\[Language\]/,/^Language=/ s/^Language=0/Language=1/\" ~/.config/quorvane/QUORVANE.INI
QT_QPA_PLATFORM=offscreen quorvane --screenshot /tmp/second.png 2>/dev/null
grep -q \"^File1=/usr/share/quorvane/samples/calls.lvt\" ~/.config/quorvane/QUORVANE.INI
quorvane-cli summary /usr/share/quorvane/samples/calls.lvt --columns 0 | head -1 | grep -qx Numero
"
dpkg -r quorvane >/dev/null
left=0
while read -r f; do [ ! -f "$f" ] || { echo "left behind: $f"; left=1; }; done < /tmp/package-files
[ ! -e /usr/share/quorvane ] || { echo "left behind: /usr/share/quorvane"; left=1; }
exit $left
'
echo "the package installs, runs from PATH, keeps the user's settings and removes cleanly"
