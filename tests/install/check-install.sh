#!/usr/bin/env bash
# Installs the build into a staging folder and runs the installed command-line program as a user
# would: from its bin/, with no --home, its user folders in a home of its own.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage/root" cmake --install "$build" --prefix /usr >/dev/null
touch "$stage/installed"
prefix=$stage/root/usr
for f in bin/quorvane-cli share/quorvane/ISDNNOT/EDSS share/quorvane/samples/calls.lvt \
    share/man/man1/quorvane-cli.1 share/bash-completion/completions/quorvane-cli; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
if [ -e "$build/bin/quorvane" ]; then
    for f in bin/quorvane share/applications/quorvane.desktop share/mime/packages/quorvane.xml \
        share/icons/hicolor/scalable/apps/quorvane.svg share/quorvane/translations/quorvane_fr.qm \
        share/man/man1/quorvane.1; do
        [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
    done
fi
export HOME=$stage/home XDG_CONFIG_HOME= XDG_DATA_HOME= QUORVANE_HOME=
mkdir -p "$HOME"
cli=$prefix/bin/quorvane-cli
out=$("$cli" summary "$prefix/share/quorvane/samples/calls.lvt" --columns 0,28 --format csv)
grep -qx '13,SETUP' <<<"$out" || { echo "summary of the installed sample: $out" | head -5; exit 1; }
[ -d "$HOME/.config/quorvane" ] && [ -d "$HOME/.local/share/quorvane/Filter" ] &&
    [ -d "$HOME/.local/share/quorvane/CAPTURE" ] || { echo "user folders not made"; exit 1; }
# A profile saved by the user lands in the user's folder and is found at the next run.
"$cli" filter save calls --tei 64 >/dev/null
[ -f "$HOME/.local/share/quorvane/Filter/LVTO_calls.flt" ] || { echo "profile not saved"; exit 1; }
"$cli" filter list | grep -qx calls || { echo "profile not listed"; exit 1; }
# Nothing was written into the installed tree.
if find "$prefix" -newer "$stage/installed" | grep -q .; then
    echo "files written below share/quorvane"; exit 1
fi
echo "installed layout works"
