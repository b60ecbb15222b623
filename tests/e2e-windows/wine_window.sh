#!/bin/bash
# quillop.exe as a person uses it, under wine in a real X11 window (Xvfb and
# openbox), driven only by mouse clicks and key presses, and judged by the
# files' bytes, the process's life and the message boxes' texts.
#
# Usage: wine_window.sh --prefix DIR   makes a wine prefix for the cases to copy
#        QUILLOP_WINE_PREFIX=DIR wine_window.sh QUILLOP_EXE READ_WINDOWS_EXE CASE
#                                      runs one case (ctest makes the prefix first)
# Exit status: 0 passed, 1 failed, 77 skipped: no wine, Xvfb or xdotool.
set -uo pipefail
wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=C.UTF-8

if [ "${1:-}" = --prefix ]; then # without wine, every case reports the skip
    [ ! -x $wine ] || { rm -rf "$2" && WINEPREFIX=$2 $wine wineboot -i >/dev/null 2>&1 && WINEPREFIX=$2 $wineserver -w; }
    exit
fi
[ $# -eq 3 ] || { echo "usage: $0 QUILLOP_EXE READ_WINDOWS_EXE CASE" >&2; exit 2; }
exe=$1 reader=$2 name=$3
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
# through wine instead, it raced the session's boot and the program's start.
[ "$name" != dpi ] || printf '\n[Control Panel\\\\Desktop]\n"LogPixels"=dword:000000c0\n' >>"$WINEPREFIX/user.reg"
$wineserver -p

# ---------------------------------------------------------------------------
# The program, what the reader sees of it, and real input.

dpi=96
# look [DPI]: what the reader sees once the program has handled
# every input it holds; it first waits for the window and for the program to
# be idle, however long a busy machine takes to boot the case's wine session.
# Sets seen (all it printed), box, and the client area's place and size.
look() {
    $wine "$reader" "$@" >"$work/seen" 2>/dev/null &
    local reading=$!
    while kill -0 $reading 2>/dev/null; do
        running || { kill $reading; fail "the program ended, or never showed its window"; }
        sleep 0.05
    done
    seen=$(tr -d '\r' <"$work/seen") box=$(grep '^box ' <<<"$seen")
    read -r _ cx cy cw ch < <(grep '^main ' <<<"$seen")
}
# start: quillop.exe in a fresh folder of its own, started from another, so that
# its files must land beside it.
start() {
    folder=$(mktemp -d "$work/folder.XXXXXX")
    cp "$exe" "$folder/quillop.exe"
    (cd "$work" && exec $wine "$folder/quillop.exe") >>"$work/wine.log" 2>&1 &
    pid=$!
    # Ready for a person once the window manager has made it the active window
    # (keys and clicks reach it), and the program has handled what came with it.
    until [ "$(xdotool getactivewindow getwindowname 2>/dev/null)" = Quillop ]; do
        running || fail "the program ended before its window appeared"
        sleep 0.05
    done
    look
}
running() { kill -0 "$pid" 2>/dev/null; }
expect_end() { wait_until 30 eval '! running' && wait "$pid" || fail "the program did not end with status 0 after $1"; }

# Every control's place in twips, from the table the window is built from
# (the frame's options measured from the window, like the rest).
declare -A twips
while read -r control rect; do twips[$control]=$rect; done < <(awk -F'[ {},;]+' '
    /Twips k/ && !/kClientArea/ { name = substr($4, 2); left = $5; top = $6
        if (name == "Frame1") { frame_left = left; frame_top = top }
        if (/inside Frame1/) { left += frame_left; top += frame_top }
        print name, left, top, $7, $8 }' "$here/../../core/layout.h")
px() { echo $(($1 * dpi / 1440)); } # exact for these twips at 96 and 192 DPI
expect_window() { # the client area's size, and each control where the table puts it
    [ "$cw $ch" = "$(px 4455) $(px 2685)" ] || fail "at $dpi DPI the client area is $cw x $ch"
    actual=$(awk -F'|' '/^z / { print $5 }' <<<"$seen") misplaced=
    for control in "${!twips[@]}"; do
        read -r left top width height <<<"${twips[$control]}"
        grep -qx "$(px "$left") $(px "$top") $(px "$width") $(px "$height")" <<<"$actual" ||
            misplaced+=" $control"
    done
    [ -z "$misplaced" ] || fail "at $dpi DPI these controls are misplaced:$misplaced"
}
click() { # CONTROL: a little inside its left end, halfway down
    read -r left top _ height <<<"${twips[$1]}"
    xdotool mousemove $((cx + $(px $((left + 105))))) $((cy + $(px $((top + height / 2))))) click 1
}
# save ITEM ICON BUTTONS TEXT [KEY [ends]]: F10 takes the menu bar, Down opens "Файл"
# on its first item; a box like this follows (TEXT a pattern), and KEY (Return)
# closes it, or ends the program.
save() {
    xdotool key --delay 50 F10 $(printf 'Down %.0s' $(seq "$1")) Return
    look
    [[ ${box#box } == "$2 $3 "$4 ]] || fail "expected the box \"$2 $3 $4\", got \"${box#box }\""
    xdotool key "${5:-Return}"
    [ -n "${6:-}" ] || { look && [ -z "$box" ]; } || fail "the box \"$4\" did not close on ${5:-Return}"
}
readonly NUMERIC=1 BOTH=3 EXIT=4 SAVED="Числовой пароль успешно сохранён!!!" BOTH_SAVED="Файл сохранён успешно!!!"

# ---------------------------------------------------------------------------
# Files: the bytes, as hex, against what Windows-1251 and CR LF make of them.

hex() { od -An -v -tx1 "$folder/$1" | tr -d ' \n'; }
cp1251() { printf %s "$1" | iconv -t CP1251 | od -An -v -tx1 | tr -d ' \n'; }
number() { echo "$(cp1251 'Числовой пароль: ')(30|3[1-9](3[0-9]){0,$(($1 - 1))})0d0a"; }
symbols() { echo "$(cp1251 'Символьный пароль: ')(4[0-9a-f]|5[0-9a]|2[1345]){$1}0d0a"; }
expect_file() { # NAME HEX_PATTERN
    [[ $(hex "$1" 2>/dev/null) =~ ^$2$ ]] || fail "\"$1\" holds \"$(hex "$1" 2>/dev/null)\", not $2"
}

# ---------------------------------------------------------------------------
# The cases.

case_saves() { # numeric, then both; the title-bar close; a fresh run saves others
    start
    expect_window
    click Command1
    save $NUMERIC information 1 "$SAVED"
    expect_file "Числовой пароль.txt" "$(number 6)"
    for run in first fresh; do
        [ $run = fresh ] && start
        click Check1 && click Command1
        save $BOTH information 1 "$BOTH_SAVED"
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
    save $EXIT information 2 "Вы хотите выйти?" Escape
    running || fail "Cancel in the exit question ended the program"
    save $EXIT information 2 "Вы хотите выйти?" Return ends
    expect_end "OK in the exit question"
}

case_dpi() { # started at 192 DPI, then moved to 96 and back, as between two monitors
    dpi=192
    start
    settled_window
    for dpi in 96 192; do
        look $dpi
        moved=$seen
        settled_window
        grep -qx "fonts -$((825 * dpi / 7200)) freed" <<<"$moved" || fail "at $dpi DPI: $(grep ^fonts <<<"$moved")"
    done
}
# The window manager confirms a resize after wine has made it, and a late
# confirmation of the one before can still arrive: read again until the
# window has its size, then check it and every control.
settled_window() {
    wait_until 20 eval '[ "$cw $ch" = "$(px 4455) $(px 2685)" ] || { look; false; }'
    expect_window
}

# ---------------------------------------------------------------------------
# The keyboard and the mouse, as the probe reads the form from inside the program.

# form: the focused control, the chosen options and check box, the greyed
# controls and menu items, each by the name a screen reader gets; then the two
# fields' texts.
form() {
    awk -F'|' '/^z / { if ($4 ~ /f/) focus = $2
        if ($4 ~ /c/) chosen = chosen (chosen ? "," : "") $2
        if ($4 ~ /u/) grey = grey (grey ? "," : "") $2
        if ($1 == "z field") text[++n] = $3 }
        /^m .*\|u/ { grey = grey (grey ? "," : "") substr($1, 3) }
        END { print focus "|" chosen "|" grey "|" text[1] "|" text[2] }' <<<"$seen"
}
# holds PATTERN TEXT BEFORE: - empty, = as before, dN up to N digits, sN N symbols
holds() { case $1 in -) [ -z "$2" ] ;; =) [ "$2" = "$3" ] ;;
    d*) [[ $2 =~ ^(0|[1-9][0-9]{0,$((${1#d} - 1))})$ ]] ;; s*) [[ $2 =~ ^[A-Z@!#$%]{${1#s}}$ ]] ;; esac; }
# walk TABLE: each row's keys (or click:CONTROL) from where the focus is, then
# the form they leave; BOX is the information box they show, closed by Return.
walk() {
    local keys before after chosen grey one two boxed was focus
    look
    while IFS='|' read -r keys before after chosen grey one two boxed; do
        was=$(form)
        [ "${was%%|*}" = "$before" ] || fail "before \"$keys\" the focus is on \"${was%%|*}\", not \"$before\""
        if [[ $keys == click:* ]]; then click "${keys#click:}"; else xdotool key --delay 50 $keys; fi
        look
        if [ -n "$boxed" ]; then
            [ "$box" = "box information 1 $boxed" ] || fail "$keys on \"$before\" showed \"$box\", not \"$boxed\""
            xdotool key Return && look
        fi
        IFS='|' read -r focus c g t1 t2 <<<"$(form)"
        IFS='|' read -r _ _ _ w1 w2 <<<"$was"
        [ "$focus|$c|$g" = "$after|$chosen|$grey" ] && holds "$one" "$t1" "$w1" && holds "$two" "$t2" "$w2" &&
            [ -z "$box" ] || fail "$keys on \"$before\" left \"$(form)\" and \"$box\", not \"$after|$chosen|$grey|$one|$two\""
    done < <(sed '/^$/d; s/ *| */|/g; s/^ *//; s/ *$//' <<<"$1")
}

readonly O1="Числовой пароль" O2="Символьный пароль" O3="6 значный" O4="8 значный"
readonly CLEAR="Очистить поля" GENERATE="Генерировать" CHECK1="Одновременно"
readonly CLEARED="Числовое и Символьное поля очищены!"
readonly SAVES="Сохранить числовой,Сохранить символьный,Сохранить оба"
# keys or click:CONTROL | focus before | focus after | chosen after | grey after | Text1 | Text2 | box
readonly WALK="
Return                        | $GENERATE | $GENERATE | $O1,$O3     | $CLEAR  | d6 | -  |
Tab                           | $GENERATE | Числовой  | $O1,$O3     | $CLEAR  | =  | -  |
Tab Tab                       | Числовой  | $O2       | $O1,$O3     | $CLEAR  | =  | -  |
Down                          | $O2       | $O1       | $O1,$O3     | $CLEAR  | =  | -  |
Up                            | $O1       | $O2       | $O2,$O3     |         | -  | -  |
Tab Tab                       | $O2       | $CHECK1   | $O2,$O3     |         | -  | -  |
Tab                           | $CHECK1   | $O3       | $O2,$O3     |         | -  | -  |
Down                          | $O3       | $O4       | $O2,$O4     |         | -  | -  |
Tab Tab                       | $O4       | $GENERATE | $O2,$O4     |         | -  | -  |
Return                        | $GENERATE | $GENERATE | $O2,$O4     |         | -  | s8 |
shift+Tab                     | $GENERATE | $CLEAR    | $O2,$O4     |         | -  | =  |
Return                        | $CLEAR    | $CLEAR    | $O2,$O4     |         | -  | -  | $CLEARED
shift+Tab shift+Tab shift+Tab | $CLEAR    | $CHECK1   | $O2,$O4     |         | -  | -  |
space                         | $CHECK1   | $CHECK1   | $CHECK1,$O4 | $O1,$O2 | -  | -  |
shift+Tab shift+Tab           | $CHECK1   | Числовой  | $CHECK1,$O4 | $O1,$O2 | -  | -  |
click:Check1                  | Числовой  | $CHECK1   | $O4         |         | -  | -  |
click:Option1                 | $CHECK1   | $O1       | $O1,$O4     | $CLEAR  | -  | -  |
click:Option3                 | $O1       | $O3       | $O1,$O3     | $CLEAR  | -  | -  |
click:Command1                | $O3       | $GENERATE | $O1,$O3     | $CLEAR  | d6 | -  |
click:Option2                 | $GENERATE | $O2       | $O2,$O3     |         | -  | -  |
click:Command2                | $O2       | $CLEAR    | $O2,$O3     |         | -  | -  | $CLEARED
"
# The window's children from the top: each label right before the field it
# names, g where a group of the dialog manager's arrow keys starts.
readonly ZORDER="push|$GENERATE|g label|Числовой|g field|Числовой|g radio|$O1|g radio|$O2|
label|Символьный|g field|Символьный|g check|$CHECK1|g radio|$O3|g radio|$O4| push|$CLEAR|g
frame|Генерировать числовой|g"

case_keys() { # what a screen reader is told, the colours, the greyed save items, then the walk
    start
    [ "$(awk -F'|' '/^z / { print substr($1, 3) "|" $2 "|" ($4 ~ /g/ ? "g" : "") }' <<<"$seen" | paste -sd' ')" = "${ZORDER//$'\n'/ }" ] ||
        fail "the controls from the top are $(grep '^z ' <<<"$seen" | tr '\n' ' ')"
    grep -qE '^colours 00ff00 on (\w{6}) brush \1 kept frame \1$' <<<"$seen" || fail "$(grep ^colours <<<"$seen")"
    [ "$(form)" = "$GENERATE|$O1,$O3|$CLEAR,$SAVES||" ] || fail "at start the window shows $(form)"
    walk "$WALK"
}

declare -F "case_$name" >/dev/null || { echo "no case $name" >&2; exit 2; }
"case_$name"
