#!/bin/bash
# The built program as a person uses it, judged by what only a real window
# shows; the rules of the window are the controller's tests.
#
# window: copied into a folder of its own and started through a link from
# another folder, in a real X11 window under Xvfb and openbox, driven only by
# mouse clicks and key presses: the window manager's hints, the files beside
# the program, the real timer, the access keys on a Russian keyboard layout and
# how the process ends.
#
# wayland: in weston, which runs in the private Xvfb only so that its bindings
# have a keyboard (weston's headless backend has none). Where XWayland is at
# hand the program must take it, centred with a close button only; with no X
# server it runs natively, its controls driven through AT-SPI, and a
# compositor's "maximised" (weston's Super+Shift+M) must leave it alive with
# its passwords: Qt 6.4 used to die there of a protocol error.
#
# Usage: real_window.sh PATH_TO_QUILLOP [window|wayland]
# Exit status: 0 passed, 1 failed, 77 no X server could start or the case was
# skipped (what it needs is missing).
set -uo pipefail
[ -x "${1:-}" ] || { echo "usage: $0 PATH_TO_QUILLOP [window|wayland]" >&2; exit 2; }
program=$(realpath "$1")
case=${2:-window}
# shellcheck source=x_session.sh
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/quillop-e2e.XXXXXX")
trap 'x_session_stop; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
x_session_start "$work" || { echo "SKIPPED: no X server: $X_SESSION_ERROR"; exit 77; }

readonly SAVE_NUMERIC=1 SAVE_SYMBOLIC=2 EXIT=4
readonly NUMERIC_FILE="Числовой пароль.txt" SYMBOLIC_FILE="Символьный пароль.txt"
# The files' bytes as hexadecimal patterns: the labels in Windows-1251, 1 to 6
# digits with no leading zero, a symbol of the table.
readonly NUMERIC=d7e8f1ebeee2eee920efe0f0eeebfc3a20 SYMBOLIC=d1e8ece2eeebfcedfbe920efe0f0eeebfc3a20
readonly DIGITS='(30|3[1-9](3[0-9]){0,5})' SYMBOL='(4[0-9a-f]|5[0-9a]|2[1345])' CRLF=0d0a

fail() { echo "FAIL [$case]: $*" && sed 's/^/  program: /' "${folder:-/dev/null}.log" 2>/dev/null; exit 1; }

# Starts the program in a fresh folder, from another one; sets folder, pid,
# window and its geometry.
start_quillop() {
    folder=$(mktemp -d "$work/folder.XXXXXX")
    cp "$program" "$folder/quillop"
    ln -sf "$folder/quillop" "$work/quillop"
    (cd "$work" && QT_QPA_PLATFORM=xcb exec ./quillop) >"$folder.log" 2>&1 &
    pid=$!
    x_started "$pid"
    wait_until 20 find_window || fail "no window titled Quillop appeared"
    wait_until 5 settled || fail "the window kept moving"
}
windows() { xdotool search --onlyvisible --pid "$pid" --name '^Quillop$' 2>/dev/null; }
find_window() { window=$(windows | head -n 1) && [ -n "$window" ]; }
settled() {
    before=$(x_geometry "$window") && sleep 0.1 && read -r x y w h < <(x_geometry "$window")
    [ "$before" = "$x $y $w $h" ]
}
running() { kill -0 "$pid" 2>/dev/null && [ "$(ps -o stat= -p "$pid" | cut -c1)" != Z ]; }
# expect_end: the program ends by itself within 5 seconds, with exit status 0.
expect_end() { wait_until 5 eval '! running' && wait "$pid" || fail "the program did not end with status 0"; }

# Real pointer and key events through the X server, handled in order.
# click X Y: a click at that place of the client area, the bottom 297 x 179.
click() { xdotool mousemove $((x + $1)) $((y + h - 179 + $2)) click 1; }
# choose ITEM KEY: F10 opens "Файл", Down ITEM times (greyed items are reached
# too, as in a Windows menu) and Return choose; KEY closes the box that follows.
choose() {
    xdotool windowactivate --sync "$window" key F10
    wait_until 10 other_window yes || fail "F10 opened no menu"
    xdotool key $(printf 'Down %.0s' $(seq "$1")) Return
    answer "$2"
}
# answer KEY: a message box appears over the window and KEY closes it.
answer() {
    wait_until 10 find_box || fail "no message box appeared"
    # Once more if the box had not taken the keyboard yet.
    for _ in 1 2 3; do
        xdotool windowactivate --sync "$box" key "$1" 2>/dev/null
        wait_until 5 eval '! find_box' && return
    done
    fail "the message box did not close on $1"
}
# other_window yes|no: sets found to a window of the program besides the main
# one that the program places itself (yes: the menu's popup) or not (no: a box).
other_window() {
    found=$(for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$w" != "$window" ] && xwininfo -id "$w" 2>/dev/null |
            grep -q "Override Redirect State: $1" && echo "$w"
    done | head -n 1)
    [ -n "$found" ]
}
find_box() { other_window no && box=$found; }

hex() { od -An -v -tx1 "$folder/$1" 2>/dev/null | tr -d ' \n'; }
# expect_file NAME PATTERN: written beside the program, its bytes match, and
# only its owner may read it.
expect_file() {
    [[ $(hex "$1") =~ ^$2$ ]] || fail "\"$1\" beside the program holds \"$(hex "$1")\", not $2"
    [ "$(stat -c %a "$folder/$1")" = 600 ] || fail "\"$1\" has mode $(stat -c %a "$folder/$1")"
}

case_window() {
    # The Russian layout has a key for Г; xdotool would otherwise remap a
    # spare key for a moment, and the program may read the map after it is undone.
    setxkbmap ru || fail "setxkbmap could not choose the Russian layout"
    # Closing the window ends the program at once, without a question.
    start_quillop
    xdotool windowactivate --sync "$window" key alt+F4
    expect_end
    [ "$(ls "$folder")" = quillop ] || fail "files appeared without a save"

    start_quillop
    xprop -id "$window" WM_NORMAL_HINTS | grep -q "maximum size: $w by $h" || fail "the window can be resized"
    local dx=$((x + w / 2 - 512)) dy=$((y + h / 2 - 384))
    [ ${dx#-} -le 30 ] && [ ${dy#-} -le 30 ] || fail "the window is off the screen's centre by $dx, $dy"
    # Alt+Г generates: the access keys work on a Russian layout.
    xdotool key alt+Cyrillic_ghe
    choose $SAVE_NUMERIC Return
    expect_file "$NUMERIC_FILE" "$NUMERIC$DIGITS$CRLF"
    # A folder in the file's way: reported, and nothing put into it.
    rm "$folder/$NUMERIC_FILE" && mkdir "$folder/$NUMERIC_FILE"
    choose $SAVE_NUMERIC Return
    rmdir "$folder/$NUMERIC_FILE" || fail "the failed save put something into the folder in its way"
    # "Символьный пароль", then Generate: the symbolic password comes with the timer's tick.
    click 167 124 && click 208 36
    choose $SAVE_SYMBOLIC Return
    expect_file "$SYMBOLIC_FILE" "$SYMBOLIC$SYMBOL{6}$CRLF"
    # Into the numeric field, empty since: typed text is saved as typed, cut to nine characters.
    click 28 41
    xdotool type --delay 20 12345678901
    choose $SAVE_NUMERIC Return
    expect_file "$NUMERIC_FILE" "${NUMERIC}313233343536373839$CRLF"
    # Exit, then OK, ends.
    choose $EXIT Return
    expect_end
}

# a11y list | press NAME | text NAME: every control as "role:name", an
# action on the control of that name, the text of that field.
a11y() {
    /usr/bin/python3 - "$@" <<'EOF'
import sys, pyatspi
command, *name = sys.argv[1:]
tree = lambda node: [node] + [n for child in node for n in tree(child)]
nodes = [n for a in pyatspi.Registry.getDesktop(0) if a and a.name == "quillop" for n in tree(a)]
# AT-SPI 2.46 says "push button", 2.56 "button".
role = lambda node: node.getRoleName().replace("push button", "button")
if command == "list": print("\n".join(f"{role(n)}:{n.name}" for n in nodes))
for node in (n for n in nodes if [n.name] == name):
    if command == "press": node.queryAction().doAction(0)
    if command == "text" and node.getRoleName() == "text": print(node.queryText().getText(0, -1))
EOF
}
# start_on_weston [VARIABLE=VALUE...]: the program on weston.
start_on_weston() {
    folder=$(mktemp -u "$work/wayland.XXXXXX")
    # Of the protocol only the sizes asked for and the boxes' parents are kept.
    (exec env -u DISPLAY -u QT_QPA_PLATFORM "$@" WAYLAND_DISPLAY=quillop \
        LANG=C.UTF-8 XDG_SESSION_TYPE=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        WAYLAND_DEBUG=client "$program" 2> >(grep --line-buffered -E \
        'set_parent|xdg_toplevel[@#][0-9]+\.configure\([1-9]|^[^[]' >"$folder.log")) &
    pid=$!
    x_started "$pid"
    wait_until 20 eval 'has "button:Генерировать"' || fail "no window came up"
}
has() { a11y list | grep -xF "$1" >/dev/null; }
uses() { grep -q "/libq$1[^/]*\.so" "/proc/$pid/maps" || fail "the program does not run on $1"; }

case_wayland() {
    command -v weston Xwayland dbus-daemon /usr/libexec/at-spi-bus-launcher >/dev/null ||
        { echo "SKIPPED: weston, XWayland or the buses are not installed"; exit 77; }
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: no python3-pyatspi"; exit 77; }
    x_a11y_bus "$work" || fail "no session bus started"
    weston --backend=x11-backend.so --use-pixman --idle-time=0 --xwayland --socket=quillop \
        --width=1024 --height=720 --log="$work/weston.log" >/dev/null 2>&1 &
    x_started $!
    wait_until 20 grep -qs 'listening on display' "$work/weston.log" || fail "weston did not start"
    xwayland=$(sed -n 's/.*listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")

    # With XWayland: X11, as on an X11 desktop.
    start_on_weston DISPLAY="$xwayland"
    uses xcb
    DISPLAY=$xwayland wait_until 5 find_window && DISPLAY=$xwayland wait_until 5 settled || fail "no window on XWayland"
    dx=$((x + w / 2 - 512)) dy=$((y + h / 2 - 360))
    # Within the frame that weston draws around it.
    [ ${dx#-} -le 30 ] && [ ${dy#-} -le 30 ] || fail "the window is off the screen's centre by $dx, $dy"
    # Motif decorations: neither minimise (0x20) nor maximise (0x40).
    decorations=$(DISPLAY=$xwayland xprop -id "$window" _MOTIF_WM_HINTS | awk -F', ' '{print $3}')
    [ $((decorations & 0x60)) = 0 ] || fail "the title bar offers more than a close button"
    { kill -9 "$pid" && wait "$pid"; } 2>/dev/null
    wait_until 10 eval '! has "button:Генерировать"' || fail "the program stayed on the bus"

    # Without an X server: natively, every control there.
    start_on_weston
    uses wayland
    for control in button:{Генерировать,"Очистить поля"} text:{Числовой,Символьный} "check box:Одновременно" \
        "radio button:"{"Числовой пароль","Символьный пароль","6 значный","8 значный"} \
        "menu item:"{Файл,"Сохранить числовой","Сохранить символьный","Сохранить оба",Выход}; do
        has "$control" || fail "no $control"
    done
    a11y press Одновременно && a11y press Генерировать
    wait_until 5 eval '[ -n "$(a11y text Символьный)" ]' || fail "Generate filled no symbolic password"
    passwords=$(a11y text Числовой; a11y text Символьный)
    [[ $passwords =~ ^[0-9]+$'\n'[A-Z@!#$%]{6}$ ]] || fail "Generate filled the fields with \"$passwords\""
    # The compositor maximises the window that has the keyboard.
    xdotool key super+shift+m
    wait_until 5 grep -q 'toplevel.[0-9]*\.configure([1-9]' "$folder.log" || fail "weston maximised nothing"
    # Choosing the length changes no password, and the window draws itself anew.
    a11y press "8 значный"
    sleep 1
    running || fail "the program ended when weston maximised its window"
    [ "$(a11y text Числовой; a11y text Символьный)" = "$passwords" ] || fail "the passwords were lost"
    # A box is the window's transient child.
    a11y press "Очистить поля"
    wait_until 5 has alert:Quillop || fail "no message box appeared"
    grep -q set_parent "$folder.log" || fail "the box is not the window's transient child"
}

"case_$case" && echo "ok   $case"
