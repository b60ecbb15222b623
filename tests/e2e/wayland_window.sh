#!/bin/bash
# The built program on Wayland: in weston, which runs in a private Xvfb only
# so that its bindings have a keyboard (weston's headless backend has none).
# Where XWayland is at hand the program must take it, centred with a close
# button only; with no X server it runs natively, its controls driven through
# AT-SPI, and a compositor's "maximised" (weston's Super+Shift+M) must leave it
# alive with its passwords: Qt 6.4 used to die there of a protocol error.
#
# Usage: wayland_window.sh PATH_TO_QUILLOP
# Exit status: 0 passed, 1 failed, 77 weston, XWayland or AT-SPI missing.
set -uo pipefail
[ -x "${1:-}" ] || { echo "usage: $0 PATH_TO_QUILLOP" >&2; exit 2; }
program=$(realpath "$1")
# shellcheck source=x_session.sh
. "$(dirname "$(realpath "${BASH_SOURCE[0]}")")/x_session.sh"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: no python3-pyatspi"; exit 77; }

work=$(mktemp -d "${TMPDIR:-/tmp}/quillop-wayland.XXXXXX")
trap 'x_session_stop; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
x_session_start "$work" weston Xwayland dbus-daemon /usr/libexec/at-spi-bus-launcher ||
    { echo "SKIPPED: $X_SESSION_ERROR"; exit 77; }
fail() { echo "FAIL: $*" && sed 's/^/  program: /' "${log:-/dev/null}" && exit 1; }

x_a11y_bus "$work" || fail "no session bus started"
weston --backend=x11-backend.so --use-pixman --idle-time=0 --xwayland --socket=quillop \
    --width=1024 --height=720 --log="$work/weston.log" >/dev/null 2>&1 &
x_started $!
wait_until 20 grep -qs 'listening on display' "$work/weston.log" || fail "weston did not start"
xwayland=$(sed -n 's/.*listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log")

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
# start [VARIABLE=VALUE...]: the program on weston.
start() {
    log=$(mktemp "$work/log.XXXXXX")
    # Of the protocol only the sizes asked for and the boxes' parents are kept.
    (exec env -u DISPLAY -u QT_QPA_PLATFORM "$@" WAYLAND_DISPLAY=quillop \
        LANG=C.UTF-8 XDG_SESSION_TYPE=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        WAYLAND_DEBUG=client "$program" 2> >(grep --line-buffered -E \
        'set_parent|xdg_toplevel[@#][0-9]+\.configure\([1-9]|^[^[]' >"$log")) &
    pid=$!
    x_started "$pid"
    wait_until 20 eval 'has "button:Генерировать"' || fail "no window came up"
}
has() { a11y list | grep -xF "$1" >/dev/null; }
uses() { grep -q "/libq$1[^/]*\.so" "/proc/$pid/maps" || fail "the program does not run on $1"; }

# With XWayland: X11, as on an X11 desktop.
start DISPLAY="$xwayland"
uses xcb
window=$(DISPLAY=$xwayland xdotool search --onlyvisible --pid "$pid" --name '^Quillop$' | head -n 1)
read -r x y w h < <(DISPLAY=$xwayland x_geometry "$window")
dx=$((x + w / 2 - 512)) dy=$((y + h / 2 - 360))
# Within the frame that weston draws around it.
[ ${dx#-} -le 30 ] && [ ${dy#-} -le 30 ] || fail "the window is off the screen's centre by $dx, $dy"
# Motif decorations: neither minimise (0x20) nor maximise (0x40).
decorations=$(DISPLAY=$xwayland xprop -id "$window" _MOTIF_WM_HINTS | awk -F', ' '{print $3}')
[ $((decorations & 0x60)) = 0 ] || fail "the title bar offers more than a close button"
{ kill -9 "$pid" && wait "$pid"; } 2>/dev/null
wait_until 10 eval '! has "button:Генерировать"' || fail "the program stayed on the bus"

# Without an X server: natively, every control there.
start
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
wait_until 5 grep -q 'toplevel.[0-9]*\.configure([1-9]' "$log" || fail "weston maximised nothing"
# Choosing the length changes no password, and the window draws itself anew.
a11y press "8 значный"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the program ended when weston maximised its window"
[ "$(a11y text Числовой; a11y text Символьный)" = "$passwords" ] || fail "the passwords were lost"
# A box is the window's transient child.
a11y press "Очистить поля"
wait_until 5 has alert:Quillop || fail "no message box appeared"
grep -q set_parent "$log" || fail "the box is not the window's transient child"
echo "ok   wayland"
