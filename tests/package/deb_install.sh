#!/usr/bin/env bash
# The Debian package as a user gets it: built from the build folder,
# checked with lintian, unpacked into a temporary root and started from there on a private Xvfb,
# with a fresh home. The installed copy must make its folder under
# XDG_DATA_HOME, use it (settings, logs, skins) and leave the install alone.
#   deb_install.sh BUILD-FOLDER
# Every wait is bounded; whatever the script started is ended on the way out.
set -u

build=${1:?usage: deb_install.sh BUILD-FOLDER}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/processes.sh
. "$here/../../scripts/processes.sh"
run_for=8

begin_test deb-test

deb=$("$here/../../scripts/package-deb.sh" --lintian "$build" "$work") ||
    { echo "FAIL: the package was not built, or lintian found errors"; exit 1; }
root="$work/root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb -x $deb"; exit 1; }
pass "built $(basename "$deb"), lintian found no errors, unpacked it"

# The log viewer comes with it: beside the program, with a menu entry and an icon of its own.
[ -x "$root/usr/bin/logscope" ] && pass "usr/bin/logscope is there beside velmora" || fail "no usr/bin/logscope"
entry="$root/usr/share/applications/logscope.desktop"
if [ -f "$entry" ]; then
    for line in Exec=logscope Icon=logscope; do grep -qxF "$line" "$entry" || fail "logscope.desktop lacks $line"; done
    if command -v desktop-file-validate >/dev/null; then
        problems=$(desktop-file-validate "$entry" "$root/usr/share/applications/velmora.desktop" 2>&1)
        [ -z "$problems" ] && pass "both menu entries pass desktop-file-validate" || fail "desktop-file-validate: $problems"
    else
        fail "desktop-file-validate is missing (scripts/deps.sh test installs it)"
    fi
else
    fail "no usr/share/applications/logscope.desktop"
fi
ls "$root"/usr/share/icons/hicolor/*/apps/logscope.png >/dev/null || fail "no logscope.png among the hicolor icons"

start_xvfb "$work" || exit 1
display=$xvfb_display

mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
data="$work/home/data"
folder="$data/velmora"
# start_installed NAME SECONDS: the installed NAME as the fresh user starts it, its output in $work/NAME.out.
start_installed() {
    start_group env HOME="$work/home" XDG_DATA_HOME="$data" XDG_CONFIG_HOME="$work/home/config" \
        XDG_RUNTIME_DIR="$work/runtime" "$root/usr/bin/$1" --display "$display" --run-for "$2" >"$work/$1.out" 2>&1
}

start_installed velmora "$run_for"
wait_exit $! $((run_for + 40))
if [ "$exit_code" -eq 0 ]; then pass "the installed program ran and ended with 0"; else fail "it ended with $exit_code (124: still running)"; fi
if [ -s "$work/velmora.out" ]; then fail "it printed:"; cat "$work/velmora.out"; else pass "no messages (every skin picture was found)"; fi

if cmp -s "$folder/velmora.ini" "$root/usr/share/velmora/velmora.ini" ||
    diff <(grep -v '^Pos[XY]' "$folder/velmora.ini") <(grep -v '^Pos[XY]' "$root/usr/share/velmora/velmora.ini") >/dev/null; then
    pass "velmora.ini in $folder is the installed default"
else
    fail "no default velmora.ini in $folder"; ls -la "$folder"
fi
if [ -d "$folder/logs" ]; then pass "logs/ was made"; else fail "no logs/ in $folder"; fi
if [ "$(readlink -f "$folder/skins")" = "$(readlink -f "$root/usr/share/velmora/skins")" ]; then
    pass "skins/ links to the installed skins"
else
    fail "skins/ is not a link to the installed skins: $(ls -ld "$folder/skins" 2>&1)"
fi
# The program folder is recorded among the installed products, as hex text.
folder_hex=$(printf '%s/' "$folder" | od -An -tx1 | tr -d ' \n')
if grep -rqF "$folder_hex" "$work/home/config/velmora" 2>/dev/null; then
    pass "the program recorded $folder as its folder"
else
    fail "the program did not record $folder as its folder"
fi
left=$(find "$root" -newer "$deb" ! -type d | head -n 5)
if [ -z "$left" ]; then pass "nothing was written into the install"; else fail "written into the install: $left"; fi
[ -e "$work/home/.local" ] && fail "~/.local was used although XDG_DATA_HOME was set"

# Second start: the user's settings are read from there and kept; a skin
# file of their own replaces the installed one, the rest still load.
printf '; mine\n' >>"$folder/velmora.ini"
rm "$folder/skins"
mkdir "$folder/skins"
cp "$root/usr/share/velmora/skins/clock_face.png" "$folder/skins/"
start_installed velmora "$run_for"
wait_exit $! $((run_for + 40))
if [ "$exit_code" -eq 0 ]; then pass "the second start ended with 0"; else fail "the second start ended with $exit_code"; fi
if [ -s "$work/velmora.out" ]; then fail "the second start printed:"; cat "$work/velmora.out"; else pass "with a skins/ of one file every picture was found"; fi
if grep -q '^; mine$' "$folder/velmora.ini"; then pass "the user's velmora.ini was kept"; else fail "the user's velmora.ini was replaced"; fi
[ "$(ls "$folder/skins")" = clock_face.png ] || fail "the user's skins/ was changed: $(ls "$folder/skins")"

# The installed viewer, as the menu starts it: it opens the same user
# folder's logs/ as the program, and ends cleanly.
start_installed logscope 20
viewer=$!
title=""
for _ in $(seq 150); do
    title=$(DISPLAY=$display xdotool search --onlyvisible --name '^Logscope' getwindowname 2>/dev/null | head -n 1)
    [ -n "$title" ] && break
    sleep 0.1
done
if [ "$title" = "Logscope — $folder/logs" ]; then pass "the installed logscope shows \"$title\""
else fail "the installed logscope's window is titled '${title}', not 'Logscope — $folder/logs'"; fi
wait_exit "$viewer" 40
if [ "$exit_code" -eq 0 ] && [ ! -s "$work/logscope.out" ]; then pass "it ended with 0 and printed nothing"
else fail "the installed logscope ended with $exit_code (124: still running) and printed: $(cat "$work/logscope.out")"; fi

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
