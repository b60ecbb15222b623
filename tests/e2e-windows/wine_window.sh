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
exe=$1 tests=$2 name=$3
# shellcheck source=../e2e/x_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/x_session.sh"
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
    # Once more if the box had not taken the keyboard yet.
    for _ in 1 2 3; do
        xdotool key "$2"
        wait_until 10 eval 'active || ! running' && return
    done
    fail "the box after item $1 did not close on $2"
}

# The files' bytes are the saving tests' concern; here, that they land beside the program.
case_saves() { # both kinds, by the keyboard through the program's own loop; the title-bar close
    start
    # To Одновременно, tick it, back to Generate past the greyed options, press it.
    xdotool key --delay 50 Tab Tab Tab Tab Tab space shift+Tab shift+Tab shift+Tab Return
    menu 3 Return # Оба
    [ -s "$folder/пароль.txt" ] || fail "no пароль.txt beside the program"
    # What openbox's close button sends: WM_DELETE_WINDOW, here bound to Alt+F4.
    xdotool key alt+F4
    expect_end "the title-bar close"
}

# Cancel in the question is the window's tests' (the process would end under them).
case_exit() {
    start
    menu 4 Return # Выход
    expect_end "OK in the exit question"
}

# The window's tests: they fail by their status (gtest prints a PASSED line
# for the tests that passed even when others failed), and a window that ended
# the process, even with status 0, would end them before their last line.
case_widgets() {
    (cd "$work" && $wine "$tests" "$@") | tee "$work/tests.log" || fail "the window's tests failed"
    grep -q '^\[  PASSED  \]' "$work/tests.log" || fail "the window's tests did not run to their end"
}
case_dpi() {
    export QUILLOP_START_DPI=192
    case_widgets --gtest_filter='*Dpi*'
    if grep -q '^\[  SKIPPED \]' "$work/tests.log"; then
        echo "SKIPPED: dpi: wine did not start the window at 192 DPI"
        exit 77
    fi
}

"case_$name"
