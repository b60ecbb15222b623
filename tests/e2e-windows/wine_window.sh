#!/bin/bash
# quillop.exe as a person uses it, under wine in a real X11 window (Xvfb and
# openbox), driven only by key presses, and judged by the files beside it and
# the process's life; and, in such a session, the window's own tests
# (window_tests.exe), which need a display: `widgets`, and `dpi` at 192 DPI.
#
# Usage: wine_window.sh --prefix DIR   makes a wine prefix for the cases to copy
#        QUILLOP_WINE_PREFIX=DIR wine_window.sh QUILLOP_EXE WINDOW_TESTS_EXE CASE
#                                      runs one case (ctest makes the prefix first)
# Exit status: 0 passed, 1 failed, 77 skipped: no wine, Xvfb or xdotool.
set -uo pipefail
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8

if [ "${1:-}" = --prefix ]; then # without wine, every case reports the skip
    [ ! -x $wine ] || { rm -rf "$2" && WINEPREFIX=$2 $wine wineboot -i >/dev/null 2>&1 && WINEPREFIX=$2 $wineserver -w; }
    exit
fi
[ $# -eq 3 ] || { echo "usage: $0 QUILLOP_EXE WINDOW_TESTS_EXE CASE" >&2; exit 2; }
exe=$1 tests=$2 name=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../e2e/x_session.sh
. "$here/../e2e/x_session.sh"
fail() { echo "FAIL $name: $*"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quillop-wine.XXXXXX")
trap '[ -d "$work/prefix" ] && $wineserver -k 2>/dev/null; x_session_stop; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM HUP PIPE
[ -x $wine ] || { echo "SKIPPED: $name: wine64 is not installed"; exit 77; }
x_session_start "$work" || { echo "SKIPPED: $name: $X_SESSION_ERROR"; exit 77; }

# The case's own prefix: a copy of the shared one (its big libraries linked,
# the registry, which wine rewrites, copied) served by its own wine server.
export WINEPREFIX=$work/prefix template=${QUILLOP_WINE_PREFIX:-}
cp -al "$template" "$WINEPREFIX" && cp --remove-destination "$template"/*.reg "$WINEPREFIX/" ||
    fail "no wine prefix in QUILLOP_WINE_PREFIX=$template"
# The DPI case's setting is in the registry before its wine session starts: set
# through wine instead, it raced the session's boot and the window's creation.
[ "$name" != dpi ] || printf '\n[Control Panel\\\\Desktop]\n"LogPixels"=dword:000000c0\n' >>"$WINEPREFIX/user.reg"
$wineserver -p

# start: quillop.exe in a fresh folder of its own, started from another, so that
# its files must land beside it; ready once the window manager has made it the
# active window.
start() {
    folder=$(mktemp -d "$work/folder.XXXXXX")
    cp "$exe" "$folder/quillop.exe"
    (cd "$work" && exec $wine "$folder/quillop.exe") >>"$work/wine.log" 2>&1 &
    pid=$!
    wait_until 60 active || fail "the window did not appear"
}
running() { kill -0 "$pid" 2>/dev/null; }
expect_end() { wait_until 30 eval '! running' && wait "$pid" || fail "the program did not end with status 0 after $1"; }
boxes() { [ "$(xdotool search --onlyvisible --name '^Quillop$' 2>/dev/null | wc -l)" -eq $((1 + $1)) ]; }
active() { running && boxes 0 && [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = Quillop ]; }
# menu ITEM KEY: F10 takes the menu bar, Down opens "Файл" on its first item;
# the box that follows is closed by KEY.
menu() {
    xdotool key --delay 50 F10 $(printf 'Down %.0s' $(seq "$1")) Return
    wait_until 20 boxes 1 || fail "no box after item $1"
    sleep 0.5 # until the box has the keyboard
    xdotool key "$2"
    wait_until 20 eval 'active || ! running' || fail "the box after item $1 did not close on $2"
}
readonly NUMERIC=1 BOTH=3 EXIT=4

# The files' bytes, as hex, against what Windows-1251 and CR LF make of them.
hex() { od -An -v -tx1 "$folder/$1" | tr -d ' \n'; }
cp1251() { printf %s "$1" | iconv -t CP1251 | od -An -v -tx1 | tr -d ' \n'; }
number() { echo "$(cp1251 'Числовой пароль: ')(30|3[1-9](3[0-9]){0,$(($1 - 1))})0d0a"; }
symbols() { echo "$(cp1251 'Символьный пароль: ')(4[0-9a-f]|5[0-9a]|2[1345]){$1}0d0a"; }
expect_file() { # NAME HEX_PATTERN
    [[ $(hex "$1" 2>/dev/null) =~ ^$2$ ]] || fail "\"$1\" holds \"$(hex "$1" 2>/dev/null)\", not $2"
}

case_saves() { # numeric, then both by the keyboard; the title-bar close; a fresh run saves others
    start
    xdotool key Return # Generate has the focus
    menu $NUMERIC Return
    expect_file "Числовой пароль.txt" "$(number 6)"
    for run in first fresh; do
        [ $run = fresh ] && start
        # To Одновременно, tick it, back to Generate past the greyed options, press it.
        xdotool key --delay 50 Tab Tab Tab Tab Tab space shift+Tab shift+Tab shift+Tab Return
        menu $BOTH Return
        expect_file пароль.txt "$(number 9)$(symbols 6)"
        [ "$(hex пароль.txt)" != "${first:-}" ] || fail "two fresh runs saved the same passwords"
        first=$(hex пароль.txt)
        # What openbox's close button sends: WM_DELETE_WINDOW, here bound to Alt+F4.
        xdotool key alt+F4
        expect_end "the title-bar close"
    done
}

case_exit() { # Выход with Cancel, then with OK
    start
    menu $EXIT Escape
    running || fail "Cancel in the exit question ended the program"
    menu $EXIT Return
    expect_end "OK in the exit question"
}

# The window's tests; a window that ended the process would end them early.
case_widgets() {
    (cd "$work" && $wine "$tests" "$@") | tee "$work/tests.log"
    grep -q '^\[  PASSED  \]' "$work/tests.log" || fail "the window's tests did not run to their end"
}
case_dpi() { case_widgets --gtest_filter='*Dpi*'; }

declare -F "case_$name" >/dev/null || { echo "no case $name" >&2; exit 2; }
"case_$name"
