#!/usr/bin/env bash
# Removes what `make install` put under DESTDIR/PREFIX, and nothing else.
#   uninstall.sh BUILD-FOLDER PREFIX [DESTDIR]
# The list comes from a fresh install into a scratch folder, so it is always
# the same as the install rules.
set -euo pipefail

build=${1:?usage: uninstall.sh BUILD-FOLDER PREFIX [DESTDIR]}
prefix=${2:?usage: uninstall.sh BUILD-FOLDER PREFIX [DESTDIR]}
destdir=${3:-}
stage=$(mktemp -d /tmp/velmora-uninstall.XXXXXX)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix "$prefix" >/dev/null
removed=0 kept=0
while IFS= read -r -d '' file; do
    target="$destdir/${file#./}"
    # A file changed since it was installed is someone's work (with
    # PREFIX=~/.local the user's own settings live there): keep it.
    if [ -f "$target" ] && [ ! -L "$target" ] && ! cmp -s "$stage/${file#./}" "$target"; then
        echo "Kept $target: it was changed after installing" >&2
        kept=$((kept + 1))
    elif [ -e "$target" ] || [ -L "$target" ]; then
        rm -f -- "$target"
        removed=$((removed + 1))
    fi
done < <(cd "$stage" && find . \( -type f -o -type l \) -print0)
# Our own folders go too, once empty; shared ones (bin, applications, icons) stay.
for dir in share/velmora/skins share/velmora; do
    [ -d "$destdir$prefix/$dir" ] && rmdir --ignore-fail-on-non-empty "$destdir$prefix/$dir"
done
note=""
[ "$kept" -gt 0 ] && note=" (kept $kept changed since installing)"
echo "Removed $removed files from $destdir$prefix$note"
