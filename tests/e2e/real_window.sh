#!/usr/bin/env bash
# Starts quillop from a fresh program folder under Xvfb and openbox and uses it
# as a person would: mouse clicks at the controls, keys in the menu and boxes.
set -euo pipefail
program=$1
pids=()
work=$(mktemp -d)
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A free display: no lock file and no socket.
for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }
done
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null || [ -z "${display:-}" ]; then
    echo "SKIP: Xvfb or xdotool is missing, or no display number is free"; exit 77
fi
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 & pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "SKIP: no X server could be started"; exit 77; }
openbox >/dev/null 2>&1 & pids+=($!)
sleep 0.5
unset QT_QPA_PLATFORM

folder=$work/program
numeric_file="$folder/Числовой пароль.txt"
symbolic_file="$folder/Символьный пароль.txt"
both_file="$folder/пароль.txt"
numeric_label='d7 e8 f1 eb ee e2 ee e9 20 ef e0 f0 ee eb fc 3a 20'
symbolic_label='d1 e8 ec e2 ee eb fc ed fb e9 20 ef e0 f0 ee eb fc 3a 20'

windows() { xdotool search --onlyvisible --name '^Quillop$' 2>/dev/null | wc -l; }
wait_windows() {  # wait until this many windows titled Quillop are shown
    for _ in $(seq 200); do [ "$(windows)" -eq "$1" ] && return 0; sleep 0.05; done
    fail "expected $1 Quillop windows, saw $(windows)"
}

start() {
    rm -rf "$folder"; mkdir -p "$folder"
    cp "$program" "$folder/quillop"
    "$folder/quillop" >"$work/app.log" 2>&1 & app=$!; pids+=($app)
    win=$(xdotool search --sync --onlyvisible --name '^Quillop$' | head -n 1)
    sleep 0.5
    local info; info=$(xwininfo -id "$win")
    wx=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    wy=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    ww=$(awk '/Width:/ {print $2}' <<<"$info")
    wh=$(awk '/Height:/ {print $2}' <<<"$info")
    [ "$ww" -eq 297 ] || fail "window width $ww"
    top=$((wy + wh - 179))  # the client area: 179 pixels below the menu bar
}
click() { xdotool mousemove $((wx + $1)) $((top + $2)) click 1; sleep 0.2; }
generate() { click 208 36; sleep 0.2; }
menu_item() {  # the n-th item of the File menu, by keys
    xdotool mousemove $((wx + 20)) $((wy + (top - wy) / 2)) click 1; sleep 0.3
    for _ in $(seq "$1"); do xdotool key Down; done
    xdotool key Return; sleep 0.3
}
answer() {  # press a key in the box shown; once more if it had not taken focus yet
    wait_windows 2; sleep 0.2
    for _ in 1 2 3; do
        xdotool key "$1"
        for _ in $(seq 40); do [ "$(windows)" -eq 1 ] && return 0; sleep 0.05; done
    done
    fail "the message box did not close"
}
# The width of the message box now shown: a report of a failed save names the
# whole path and the reason, so it is wider than any success message.
box_width() {
    wait_windows 2
    local box; box=$(xdotool search --onlyvisible --name '^Quillop$' | grep -vx "$win" | head -n 1)
    xwininfo -id "$box" | awk '/Width:/ {print $2}'
}
hex() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
alive() { kill -0 "$app" 2>/dev/null; }
expect_line() {  # file, label bytes, pattern of the password's bytes
    local bytes; bytes=$(hex "$1")
    [[ "$bytes" =~ ^$2\ ($3)\ 0d\ 0a$ ]] || fail "$(basename "$1"): $bytes"
}
digits='3[0-9]( 3[0-9])*'
symbol='(5[1-7]|4[1-9a-f]|5[0-9a]|40|21|23|24|25)'

echo "numeric password, saved; saving both refuses the empty symbolic field"
start
generate
menu_item 1; saved_width=$(box_width); answer Return
expect_line "$numeric_file" "$numeric_label" "$digits"
[ "$(stat -c %a "$numeric_file")" = 600 ] || fail "numeric file is not owner-only"
[ "$(od -An -tx1 "$numeric_file" | wc -w)" -le $((17 + 6 + 2)) ] || fail "more than 6 digits"
first=$(hex "$numeric_file")
menu_item 3; answer Return
[ ! -e "$both_file" ] || fail "save both wrote a file with an empty field"

echo "a failing save is reported, the program keeps running, and the password survives"
rm "$numeric_file"; mkdir "$numeric_file"
menu_item 1; failed_width=$(box_width); answer Return
[ "$failed_width" -gt "$saved_width" ] || fail "the failed save was not reported ($failed_width px box)"
alive || fail "the program ended after a failed save"
rmdir "$numeric_file"
menu_item 1; answer Return
[ "$(hex "$numeric_file")" = "$first" ] || fail "a different password after the failed save"

echo "symbolic password of 8 places"
click 200 124   # Символьный пароль
click 40 144    # 8 значный, inside the frame
generate
menu_item 2; answer Return
expect_line "$symbolic_file" "$symbolic_label" "$symbol( $symbol){7}"

echo "both at once: two lines, the number first"
click 200 152   # Одновременно
generate
menu_item 3; answer Return
bytes=$(hex "$both_file")
[[ "$bytes" =~ ^$numeric_label\ ($digits)\ 0d\ 0a\ $symbolic_label\ ($symbol( $symbol){7})\ 0d\ 0a$ ]] ||
    fail "пароль.txt: $bytes"

echo "exit: Cancel keeps the program and its fields, OK ends it"
before=$(hex "$both_file")
menu_item 4; answer Escape
alive || fail "Cancel ended the program"
menu_item 3; answer Return
[ "$(hex "$both_file")" = "$before" ] || fail "the fields changed after Cancel"
menu_item 4; wait_windows 2; xdotool key Return
for _ in $(seq 50); do alive || break; sleep 0.05; done
alive && fail "OK did not end the program"
wait "$app" || fail "the program ended with status $?"

echo "closing the window ends the program without a question"
start
click 280 5   # focus the window on a bare spot, then the window manager's close key
xdotool key alt+F4
for _ in $(seq 50); do alive || break; sleep 0.05; done
alive && fail "closing the window did not end the program"
wait_windows 0

echo "two fresh runs with the same clicks give different passwords"
stop() { kill "$app"; wait "$app" 2>/dev/null || true; wait_windows 0; }
same_clicks() {
    start
    generate; menu_item 1; answer Return
    click 200 124; generate; menu_item 2; answer Return
    cat "$numeric_file" "$symbolic_file" | od -An -v -tx1
    stop
}
one=$(same_clicks)
two=$(same_clicks)
[ "$one" != "$two" ] || fail "two runs gave the same passwords"
echo "all real-window checks passed"
