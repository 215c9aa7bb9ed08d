#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the result as a
# desktop would use it: the entry's program and icon are where it says, the
# entry and the metainfo validate, and the installed program starts and writes
# its data files into its own folder.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
entry=$(ls "$prefix"/share/applications/*.desktop)
id=$(basename "$entry" .desktop)
exec_line=$(sed -n 's/^Exec=//p' "$entry")
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$exec_line" ] || fail "Exec=$exec_line is not an installed program"
[ "$icon" = "$id" ] || fail "Icon=$icon does not name the installed icon $id"
for size in 32 48 128; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [ -f "$png" ] || fail "missing $png"
  head -c 24 "$png" | od -An -tx1 | tr -d ' \n' | grep -q "^89504e47.\{24\}000000$(printf %02x "$size")000000$(printf %02x "$size")" ||
    fail "$png is not a ${size}x$size PNG"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "missing the SVG icon"
grep -q "Categories=Utility;FileTools;FileManager;" "$entry" || fail "categories"

desktop-file-validate "$entry" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
  fail "appstreamcli validate"

# The program alone in its folder, then its data files beside it after a start.
program_dir="$prefix/lib/filefinder"
[ "$(ls "$program_dir")" = "filefinder" ] || fail "the program's folder holds more than the program"
QT_QPA_PLATFORM=offscreen FILEFINDER_SCREENSHOT="$prefix/shot.png" timeout 60 "$exec_line" \
  >/dev/null 2>&1 || fail "the installed program did not start and close cleanly"
[ -s "$prefix/shot.png" ] || fail "no picture of the window"
for f in 后缀名列表.txt 后缀解说.txt WINDOWS系统文件详解.txt; do
  [ -f "$program_dir/$f" ] || fail "$f was not written into the program's folder"
done
[ "$(stat -c %s "$program_dir/后缀名列表.txt")" = 80 ] || fail "后缀名列表.txt is not the default"
echo "install checks passed in $prefix"
