#!/usr/bin/env bash
# Builds the Debian package from a configured, built build folder.
#   package-deb.sh [--lintian] BUILD-FOLDER OUT-FOLDER
# Prints the package's path. With --lintian the package is checked and any
# lintian error fails the script.
set -euo pipefail

check=""
if [ "${1:-}" = --lintian ]; then check=1; shift; fi
build=${1:?usage: package-deb.sh [--lintian] BUILD-FOLDER OUT-FOLDER}
out=${2:?usage: package-deb.sh [--lintian] BUILD-FOLDER OUT-FOLDER}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
templates="$source_dir/packaging/deb"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package-deb.sh: $build is not a configured build folder" >&2; exit 1; }
arch=$(dpkg --print-architecture)
# The last commit's date, so the same tree gives the same package.
date=$(git -C "$source_dir" log -1 --format=%cD 2>/dev/null || date -R)

stage=$(mktemp -d /tmp/velmora-deb.XXXXXX)
trap 'rm -rf "$stage"' EXIT
root="$stage/root"
DESTDIR="$root" cmake --install "$build" --prefix /usr --strip >/dev/null

doc="$root/usr/share/doc/velmora"
mkdir -p "$doc"
cp "$templates/copyright" "$doc/copyright"
sed -e "s/@VERSION@/$version/" -e "s/@DATE@/$date/" "$templates/changelog" | gzip -9n >"$doc/changelog.gz"

# dpkg-shlibdeps reads the libraries' own dependency data; it wants a
# debian/control to stand in.
mkdir -p "$stage/debian"
printf 'Source: velmora\n\nPackage: velmora\nArchitecture: any\n' >"$stage/debian/control"
depends=$(cd "$stage" && dpkg-shlibdeps -O root/usr/bin/velmora 2>"$stage/shlibdeps.log" | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { cat "$stage/shlibdeps.log" >&2; echo "package-deb.sh: no dependencies found" >&2; exit 1; }
# libcurl is loaded at run time, for watching another machine, so the
# linker's list does not name it.
depends="$depends, libcurl4 (>= 7.85.0)"

# Packaged files belong to root with the usual modes, whatever the umask.
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -exec chmod 0644 {} +
chmod 0755 "$root/usr/bin/velmora" "$root/usr/bin/logscope"

mkdir -p "$root/DEBIAN"
size=$(du -sk --exclude=DEBIAN "$root" | cut -f1)
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" -e "s/@DEPENDS@/$depends/" \
    "$templates/control" >"$root/DEBIAN/control"
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 0644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

mkdir -p "$out"
deb="$out/velmora_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
if [ -n "$check" ]; then
    lintian --fail-on error "$deb" >&2
fi
