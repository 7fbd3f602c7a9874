#!/usr/bin/env bash
# Includes run down the levels, never back up. Every `#include "..."` of the
# program's folders is looked up in the table below: a file may include
# files of its own level or of a lower one. The three backends sit on one
# level but never include each other. A file or an include the table does
# not place fails too, so a new folder gets its level when it is made.
#
# Usage: check_levels.sh [source folder]   (default: the one this script is in)
# Prints each arrow back up as file:line and exits 1 when there is one.
set -u
root=${1:-"$(cd "$(dirname "$0")/.." && pwd)"}
cd "$root" || exit 2

# level  path or path prefix (the longest match places a file)
levels='
0  gfx/
1  platform/
2  forms/
3  core/vb.
3  core/inifile.
3  core/settings.
3  core/window_table.h
3  core/default_settings.h
3  core/registry_helpers.
3  core/installed_products.
3  core/version
4  sources/
4  remote/
5  core/app.h
5  core/start_with_windows.
6  window/
7  logging/
8  engine/antialias.
8  engine/renderers
8  engine/engine_state.h
8  engine/style_catalogue.
9  modules/
9  core/frm_about_zenthe.
10 fullview/
11 core/frm_hidden.
12 options/
13 core/app.cpp
13 core/startup.
13 core/frm_main.
13 core/frm_splash.
14 scenario/
14 logscope/
15 app/
'
# The about box is drawn with the clock's hands and opened from the clock's
# menu, so it lives with the modules rather than the application.

# Backends of one level that never include one another.
separate='platform/linux/ platform/win32/ platform/sim/'

# Arrows back up tolerated while a fix is under way, one per line:
# FILE INCLUDE REASON. None today; the check fails when one listed is gone.
allowed='
'

dirs='gfx platform forms core sources remote window logging engine modules fullview options scenario logscope app'
files=$(find $dirs -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort)
[ -n "$files" ] || { echo "check_levels: no sources under $root" >&2; exit 2; }

# shellcheck disable=SC2086
awk -v levels="$levels" -v separate="$separate" -v allowed="$allowed" '
BEGIN {
    n = split(levels, rows, "\n")
    for (i = 1; i <= n; ++i)
        if (split(rows[i], f, " ") >= 2) { ++count; level[count] = f[1] + 0; prefix[count] = f[2] }
    nsep = split(separate, sep, " ")
    n = split(allowed, rows, "\n")
    for (i = 1; i <= n; ++i)
        if (split(rows[i], f, " ") >= 2) ok[f[1] " " f[2]] = 1
    bad = 0
}
function levelOf(path,    i, best, len) {
    best = -1; len = 0
    for (i = 1; i <= count; ++i)
        if (index(path, prefix[i]) == 1 && length(prefix[i]) > len) { best = level[i]; len = length(prefix[i]) }
    return best
}
function backendOf(path,    i) {
    for (i = 1; i <= nsep; ++i) if (index(path, sep[i]) == 1) return sep[i]
    return ""
}
FNR == 1 {
    seen[FILENAME] = 1
    from = levelOf(FILENAME)
    if (from < 0) { printf "%s: not placed in the level table\n", FILENAME; ++bad }
}
/^[ \t]*#[ \t]*include[ \t]*"/ {
    inc = $0
    sub(/^[^"]*"/, "", inc); sub(/".*$/, "", inc)
    if (inc !~ /\//) next  # a file beside this one
    to = levelOf(inc)
    if (to < 0) {
        printf "%s:%d: includes %s, which the level table does not place\n", FILENAME, FNR, inc; ++bad; next
    }
    if ((FILENAME " " inc) in ok) { used[FILENAME " " inc] = 1; next }
    if (to > from) {
        printf "%s:%d: includes %s (level %d) from level %d: an arrow back up\n", FILENAME, FNR, inc, to, from; ++bad
    } else if (backendOf(FILENAME) != "" && backendOf(inc) != "" && backendOf(FILENAME) != backendOf(inc)) {
        printf "%s:%d: includes %s: one backend uses another\n", FILENAME, FNR, inc; ++bad
    }
}
END {
    for (k in ok) if (!(k in used) && (substr(k, 1, index(k, " ") - 1) in seen)) { printf "allowed arrow no longer present (drop it from the list): %s\n", k; ++bad }
    if (bad) { printf "%d include(s) break the levels\n", bad; exit 1 }
}' $files
