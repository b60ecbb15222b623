#!/bin/bash
# The built program as a person uses it: copied into a folder of its own, shown
# in a real X11 window under Xvfb and openbox, driven only by mouse clicks and
# key presses, and judged by what a person gets: the window, the message
# boxes, the files beside the program and whether the process lives.
#
# Usage: real_window.sh PATH_TO_QUILLOP
# Exit status: 0 all passed, 1 something failed, 77 no X server could start.
set -uo pipefail

readonly SKIPPED=77
if [ $# -ne 1 ] || [ ! -x "$1" ]; then
    echo "usage: $0 PATH_TO_QUILLOP (an executable)" >&2
    exit 2
fi
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=x_session.sh
. "$here/x_session.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/quillop-e2e.XXXXXX")
: >"$work/programs"
cleanup() {
    local pid
    # Programs a failed case left behind, by the ids recorded when they started.
    while read -r pid; do kill -9 "$pid" 2>/dev/null; done <"$work/programs"
    x_session_stop
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if ! x_session_start "$work"; then
    echo "SKIPPED: no X server for the real-window tests: $X_SESSION_ERROR"
    exit $SKIPPED
fi

# ---------------------------------------------------------------------------
# What the window looks like to the suite.

readonly CLIENT_W=297 CLIENT_H=179
# Controls in client-area pixels: left top width height.
declare -A at=(
    [Command1]="160 24 97 25" [Command2]="160 48 97 25"
    [Option1]="160 88 129 17" [Option2]="160 112 137 25" [Check1]="160 144 137 17"
    [Text1]="8 32 137 19" [Text2]="8 80 137 19"
    [Option3]="16 120 121 17" [Option4]="16 136 121 17" # Frame1 at 8,104 plus 8,16 / 8,32
)
readonly MENU_SAVE_NUMERIC=1 MENU_SAVE_SYMBOLIC=2 MENU_SAVE_BOTH=3 MENU_EXIT=4
readonly NUMERIC_FILE="Числовой пароль.txt" SYMBOLIC_FILE="Символьный пароль.txt"
readonly BOTH_FILE="пароль.txt"
# "Числовой пароль: " and "Символьный пароль: " in Windows-1251.
readonly NUMERIC_LABEL=d7e8f1ebeee2eee920efe0f0eeebfc3a20
readonly SYMBOLIC_LABEL=d1e8ece2eeebfcedfbe920efe0f0eeebfc3a20
readonly SYMBOLS='QWERTYUIOPASDFGHJKLZXCVBNM@!#$%'

# ---------------------------------------------------------------------------
# Failing: a case runs in a subshell, and fail ends that subshell only.

fail() {
    echo "    FAIL: $*"
    if [ -n "${folder:-}" ] && [ -s "$folder.log" ]; then
        echo "    the program's output:"
        sed 's/^/      /' "$folder.log"
    fi
    exit 1
}

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, false at the deadline.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}

# ---------------------------------------------------------------------------
# The program's life. Sets folder (its program folder), pid and window.

start_quillop() {
    folder=$(mktemp -d "$work/folder.XXXXXX")
    cp "$program" "$folder/quillop"
    (cd "$folder" && QT_QPA_PLATFORM=xcb LANG=C.UTF-8 exec ./quillop) \
        >"$folder.log" 2>&1 &
    pid=$!
    echo "$pid" >>"$work/programs"
    trap stop_quillop EXIT
    wait_until 20 find_main_window || fail "no window titled Quillop appeared"
    wait_until 5 geometry_settled || fail "the window kept moving"
}

stop_quillop() {
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
}

running() { kill -0 "$pid" 2>/dev/null && ! zombie; }
zombie() { [ "$(ps -o stat= -p "$pid" 2>/dev/null | cut -c1)" = Z ]; }

quillop_windows() { xdotool search --onlyvisible --pid "$pid" --name '^Quillop$' 2>/dev/null; }

find_main_window() {
    window=$(quillop_windows | head -n 1)
    [ -n "$window" ]
}

geometry_settled() {
    local before
    before=$(x_geometry "$window")
    sleep 0.1
    read -r win_x win_y win_w win_h < <(x_geometry "$window")
    [ -n "$before" ] && [ "$before" = "$win_x $win_y $win_w $win_h" ]
}

# The client area is the bottom of the window's inside; the menu bar is above it.
client_x() { echo "$win_x"; }
client_y() { echo $((win_y + win_h - CLIENT_H)); }

# expect_end SECONDS: the process ends by itself, with exit status 0.
expect_end() {
    local status
    wait_until "$1" ended || fail "the program is still running ${1}s later"
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || fail "the program ended with exit status $status"
}
ended() { ! kill -0 "$pid" 2>/dev/null || zombie; }

# ---------------------------------------------------------------------------
# Input: real pointer and keyboard events through the X server, which handles
# them in order, so a click lands where the move before it put the pointer.

# click CONTROL: buttons in their middle, options and the check box on their
# indicator, fields near their left end.
click() {
    local left top width height x y
    read -r left top width height <<<"${at[$1]}"
    case $1 in
    Command*) x=$((left + width / 2)) ;;
    Option* | Check*) x=$((left + 7)) ;;
    Text*) x=$((left + 20)) ;;
    esac
    y=$((top + height / 2))
    xdotool mousemove $(($(client_x) + x)) $(($(client_y) + y)) click 1
}

# choose ITEM: opens "Файл" with a click on its title, then Down ITEM times and
# Return. Down passes over disabled items, as a person's key presses would.
choose() {
    local before
    before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)
    xdotool mousemove $((win_x + 20)) $((win_y + (win_h - CLIENT_H) / 2)) click 1
    wait_until 5 new_window "$before" || fail "the Файл menu did not open"
    local menu=$found keys=()
    for ((i = 0; i < $1; i++)); do keys+=(Down); done
    xdotool key "${keys[@]}" Return
    wait_until 5 hidden "$menu" || fail "the Файл menu did not close"
}
# new_window LIST: sets found to a visible window of the program not in LIST.
new_window() {
    found=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vxF "$1" | head -n 1)
    [ -n "$found" ]
}
hidden() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# type_into FIELD TEXT: replaces the field's text by typing.
type_into() {
    click "$1"
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "$2"
}

# ---------------------------------------------------------------------------
# Message boxes: a second window titled Quillop. Which icon it shows is read
# from the screen itself, Xvfb's frame buffer, around the box's left edge.

box=
find_box() {
    box=$(quillop_windows | grep -vx "$window" | head -n 1)
    [ -n "$box" ]
}
no_box() { ! find_box; }

fb_header=()
box_icon() {
    [ ${#fb_header[@]} -gt 0 ] ||
        read -r -a fb_header < <(od -An -v -tu4 --endian=big -N 100 "$X_FRAMEBUFFER" | tr -s ' \n' '  ')
    # 32 bits a pixel, least significant byte first: blue, green, red, unused.
    if [ "${fb_header[11]}" -ne 32 ] || [ "${fb_header[7]}" -ne 0 ]; then
        echo unreadable
        return
    fi
    local offset=$((fb_header[0] + fb_header[19] * 12)) line=${fb_header[12]}
    local x y h
    read -r x y _ h < <(x_geometry "$box")
    # The icon sits left of the text and above the buttons, which have icons too.
    od -An -v -tu1 -w"$line" -j $((offset + y * line)) -N $(((h - 40) * line)) "$X_FRAMEBUFFER" |
        awk -v from="$x" -v to=$((x + 56)) '
            { for (i = from; i < to; i++) {
                b = $(4 * i + 1); g = $(4 * i + 2); r = $(4 * i + 3)
                if (r > 170 && g < 110 && b < 110) red++
                else if (b > 150 && r < 110) blue++ } }
            END { if (red > 40 && red > 4 * blue) print "critical"
                  else if (blue > 40 && blue > 4 * red) print "information"
                  else print "unknown" }'
}
icon_is() { [ "$(box_icon)" = "$1" ]; }

# answer KIND KEY: a box with the KIND icon appears, KEY closes it.
answer() {
    wait_until 10 find_box || fail "no message box appeared (expected one, $1)"
    wait_until 5 icon_is "$1" || fail "the message box shows no $1 icon (found: $(box_icon))"
    xdotool windowactivate --sync "$box" 2>/dev/null
    xdotool key "$2"
    wait_until 5 no_box || fail "the message box did not close on $2"
}

# ---------------------------------------------------------------------------
# Files, read back as bytes.

hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }
# The text of a field, as saved on line LINE of FILE, without its label and CR LF.
saved() {
    local skip=$2
    LC_ALL=C sed -n "${3:-1}p" "$1" | tail -c +$((skip + 1)) | tr -d '\r\n'
}
expect_numeric_file() { # FILE MAX_DIGITS
    [ -f "$folder/$1" ] || fail "\"$1\" was not written"
    [[ $(hex "$folder/$1") =~ ^${NUMERIC_LABEL}((3[0-9]){1,$2})0d0a$ ]] ||
        fail "\"$1\" is not the numeric label, 1 to $2 digits and CR LF: $(hex "$folder/$1" | cut -c1-34)…"
    [[ $(saved "$folder/$1" 17) =~ ^(0|[1-9][0-9]*)$ ]] || fail "the number in \"$1\" has a leading zero"
    expect_owner_only "$1"
}
# The files hold passwords: only their owner may read them.
expect_owner_only() {
    [ "$(stat -c %a "$folder/$1")" = 600 ] || fail "\"$1\" has mode $(stat -c %a "$folder/$1"), not 600"
}
expect_no_file() {
    [ ! -e "$folder/$1" ] || fail "\"$1\" was written, but should not have been"
}

# ---------------------------------------------------------------------------
# The cases.

case_initial_window() {
    start_quillop
    [ "$(xdotool getwindowname "$window")" = Quillop ] || fail "the title is not Quillop"
    [ "$win_w" -eq $CLIENT_W ] || fail "the window is $win_w px wide, not $CLIENT_W"
    [ "$win_h" -gt $CLIENT_H ] && [ $((win_h - CLIENT_H)) -lt 60 ] ||
        fail "the window's inside is $win_h px high: not a menu bar over $CLIENT_H px"
    local hints
    hints=$(xprop -id "$window" WM_NORMAL_HINTS)
    grep -q "minimum size: $win_w by $win_h" <<<"$hints" &&
        grep -q "maximum size: $win_w by $win_h" <<<"$hints" ||
        fail "the window can be resized"
    local screen_w screen_h
    read -r screen_w screen_h < <(xwininfo -root | awk '/^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print w, h}')
    local off_x=$((win_x + win_w / 2 - screen_w / 2)) off_y=$((win_y + win_h / 2 - screen_h / 2))
    [ ${off_x#-} -le 30 ] && [ ${off_y#-} -le 30 ] ||
        fail "the window is not centred on the screen (off by $off_x, $off_y)"
    # Before the first Generate the save items are greyed: Down lands on Exit.
    choose 1
    answer information Escape
    running || fail "Cancel ended the program"
    [ -z "$(find "$folder" -mindepth 1 ! -name quillop)" ] || fail "files appeared without a save"
}

case_numeric_then_both() {
    start_quillop
    click Command1
    choose $MENU_SAVE_NUMERIC
    answer information Return
    expect_numeric_file "$NUMERIC_FILE" 6
    local numeric
    numeric=$(hex "$folder/$NUMERIC_FILE")
    # The symbolic field stayed empty, so saving both is refused.
    choose $MENU_SAVE_BOTH
    answer critical Return
    expect_no_file "$BOTH_FILE"
    [ "$(hex "$folder/$NUMERIC_FILE")" = "$numeric" ] || fail "a refused save changed \"$NUMERIC_FILE\""
    running || fail "the program ended after a refused save"
}

case_symbolic_eight() {
    start_quillop
    click Option2
    click Option4
    click Command1
    choose $MENU_SAVE_SYMBOLIC
    answer information Return
    [ -f "$folder/$SYMBOLIC_FILE" ] || fail "\"$SYMBOLIC_FILE\" was not written"
    [[ $(hex "$folder/$SYMBOLIC_FILE") =~ ^${SYMBOLIC_LABEL}([0-9a-f]{16})0d0a$ ]] ||
        fail "\"$SYMBOLIC_FILE\" is not the symbolic label, 8 bytes and CR LF"
    [[ $(saved "$folder/$SYMBOLIC_FILE" 19) =~ ^[$SYMBOLS]{8}$ ]] ||
        fail "the 8 symbols saved are not all from the table"
    expect_owner_only "$SYMBOLIC_FILE"
    expect_no_file "$NUMERIC_FILE"
}

case_both_at_once() {
    start_quillop
    click Check1
    click Command1
    choose $MENU_SAVE_BOTH
    answer information Return
    [ -f "$folder/$BOTH_FILE" ] || fail "\"$BOTH_FILE\" was not written"
    [[ $(hex "$folder/$BOTH_FILE") =~ ^${NUMERIC_LABEL}(3[0-9]){1,9}0d0a${SYMBOLIC_LABEL}[0-9a-f]{12}0d0a$ ]] ||
        fail "\"$BOTH_FILE\" is not a numeric line of 1 to 9 digits, then a symbolic line of 6, each ending CR LF"
    [[ $(saved "$folder/$BOTH_FILE" 17 1) =~ ^(0|[1-9][0-9]*)$ ]] || fail "the number has a leading zero"
    [[ $(saved "$folder/$BOTH_FILE" 19 2) =~ ^[$SYMBOLS]{6}$ ]] || fail "the symbols are not all from the table"
    expect_owner_only "$BOTH_FILE"
    expect_no_file "$NUMERIC_FILE"
    expect_no_file "$SYMBOLIC_FILE"
}

case_typed_text() {
    start_quillop
    click Command1
    # Ten digits and more: the numeric field keeps nine.
    type_into Text1 12345678901
    choose $MENU_SAVE_NUMERIC
    answer information Return
    [ "$(hex "$folder/$NUMERIC_FILE")" = "${NUMERIC_LABEL}3132333435363738390d0a" ] ||
        fail "typing 11 digits did not save the label and the first 9"
    # Spaces are text like any other: saved, not refused.
    type_into Text2 '   '
    choose $MENU_SAVE_SYMBOLIC
    answer information Return
    [ "$(hex "$folder/$SYMBOLIC_FILE")" = "${SYMBOLIC_LABEL}2020200d0a" ] ||
        fail "a symbolic field of three spaces was not saved as three spaces"
}

case_failing_save() {
    start_quillop
    click Command1
    choose $MENU_SAVE_NUMERIC
    answer information Return
    local first
    first=$(saved "$folder/$NUMERIC_FILE" 17)
    rm "$folder/$NUMERIC_FILE"
    mkdir "$folder/$NUMERIC_FILE"
    choose $MENU_SAVE_NUMERIC
    answer critical Return
    running || fail "the program ended after the failed save"
    rmdir "$folder/$NUMERIC_FILE" || fail "the failed save put something into the directory in its way"
    choose $MENU_SAVE_NUMERIC
    answer information Return
    expect_numeric_file "$NUMERIC_FILE" 6
    [ "$(saved "$folder/$NUMERIC_FILE" 17)" = "$first" ] ||
        fail "after the failed save, another password was saved"
}

case_exit_item() {
    start_quillop
    click Check1
    click Command1
    choose $MENU_SAVE_BOTH
    answer information Return
    local before
    before=$(hex "$folder/$BOTH_FILE")
    rm "$folder/$BOTH_FILE"
    choose $MENU_EXIT
    answer information Escape
    running || fail "Cancel in the exit question ended the program"
    choose $MENU_SAVE_BOTH
    answer information Return
    [ "$(hex "$folder/$BOTH_FILE")" = "$before" ] || fail "after Cancel the fields held other passwords"
    rm "$folder/$BOTH_FILE"
    choose $MENU_EXIT
    answer information Return
    expect_end 5
    expect_no_file "$BOTH_FILE"
}

case_window_manager_close() {
    start_quillop
    click Command1
    xdotool windowactivate --sync "$window" 2>/dev/null
    xdotool key alt+F4
    wait_until 5 ended || {
        find_box && fail "closing the window asked a question"
        fail "closing the window did not end the program"
    }
    expect_end 1
}

case_fresh_runs_differ() {
    local passwords=()
    for _ in 1 2; do
        start_quillop
        click Check1
        click Command1
        choose $MENU_SAVE_BOTH
        answer information Return
        passwords+=("$(hex "$folder/$BOTH_FILE")")
        stop_quillop
    done
    [ "${passwords[0]}" != "${passwords[1]}" ] || fail "two fresh runs saved the same passwords"
}

cases=(
    initial_window numeric_then_both symbolic_eight both_at_once typed_text
    failing_save exit_item window_manager_close fresh_runs_differ
)
# E2E_CASES="a b" runs only those cases.
[ -n "${E2E_CASES:-}" ] && read -r -a cases <<<"$E2E_CASES"
passed=0 failed=0
echo "Real window on display $DISPLAY"
for name in "${cases[@]}"; do
    if ("case_$name"); then
        echo "  ok    $name"
        passed=$((passed + 1))
    else
        echo "  FAILED $name"
        failed=$((failed + 1))
    fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
