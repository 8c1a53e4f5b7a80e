#!/usr/bin/env bash
# Checks of what the game installs, run by CTest as
#   install_test.sh files BUILD APP_ID            an install into a fresh prefix holds every file
#   install_test.sh checkers DESKTOP METAINFO MAN...  the desktop file, metadata and manual pages pass
#   install_test.sh options GAME CLI VERSION       --help, --version and a bad option, without a display
# Every fault found is printed on its own line; the status is the number of faults.
set -uo pipefail
faults=0
fault() {
    echo "FAULT: $*"
    faults=$((faults + 1))
}

# The width and height that a PNG file's header gives, as "WxH".
png_size() {
    local header
    header=$(od -An -tx1 -j12 -N12 "$1" | tr -d ' \n')
    [ "${header:0:8}" = 49484452 ] || return 1  # IHDR
    echo "$((16#${header:8:8}))x$((16#${header:16:8}))"
}

files() {
    local build=$1 id=$2 prefix
    prefix=$(mktemp -d)
    trap "rm -rf '$prefix'" EXIT
    cmake --install "$build" --prefix "$prefix" > /dev/null || fault "cmake --install into $prefix failed"
    for file in bin/mirovane bin/mirovane-cli; do
        [ -x "$prefix/$file" ] || fault "$file is not installed as a program"
    done
    for file in share/applications/$id.desktop share/metainfo/$id.metainfo.xml share/man/man6/mirovane.6 \
        share/man/man6/mirovane-cli.6 share/doc/mirovane/LICENSE; do
        [ -s "$prefix/$file" ] || fault "$file is missing or empty"
    done
    for size in 16 22 24 32 48 64 128 256; do
        local icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
        local found
        found=$(png_size "$icon" 2> /dev/null) || found="no PNG"
        [ "$found" = "${size}x${size}" ] || fault "the ${size}x${size} icon is $found"
    done
    grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fault "the desktop file's icon is not $id"
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$prefix/share/metainfo/$id.metainfo.xml" ||
        fault "the metadata does not launch $id.desktop"
    "$prefix/bin/mirovane-cli" generate --size 5 --items 4 --seed 1 > /dev/null ||
        fault "the installed mirovane-cli cannot generate a puzzle"
}

checkers() {
    local desktop=$1 metainfo=$2 out
    shift 2
    out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fault "desktop-file-validate: $out"
    out=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
        fault "appstreamcli validate: $out"
    ! grep -qE "^[EWIP]: " <<< "$out" || fault "appstreamcli has remarks: $out"
    for page in "$@"; do
        out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 > /dev/null)
        [ -z "$out" ] || fault "man warns about $page: $out"
    done
}

# Runs a program with no display at all; were it to open its window, Qt's xcb platform would abort.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@"; }

options() {
    local game=$1 cli=$2 version=$3 out err status
    for program in "$game" "$cli"; do
        local name
        name=$(basename "$program")
        out=$(headless "$program" --help 2>&1) && grep -q -- "--version" <<< "$out" ||
            fault "$name --help: $out"
        out=$(headless "$program" --version 2>&1) && [ "$out" = "$name $version" ] ||
            fault "$name --version printed '$out', not '$name $version'"
        err=$(headless "$program" --no-such-option 2>&1 > /dev/null)
        status=$?
        [ $status -eq 2 ] || fault "$name --no-such-option exited with $status, not 2"
        [ "$(wc -l <<< "$err")" -eq 1 ] && grep -q "no-such-option" <<< "$err" ||
            fault "$name --no-such-option: not one line naming the option: $err"
    done
}

"$@"
exit $faults
