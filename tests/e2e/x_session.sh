# A private X11 session: Xvfb on a display number it finds free itself, with
# openbox as the window manager. Sourced by the end-to-end suite and by
# script/screenshot; bash only, with or without set -e.
#
#   x_session_start DIR   starts both; DIR is a scratch folder the caller owns.
#                         Sets DISPLAY and X_FRAMEBUFFER (the screen as an XWD
#                         file that Xvfb keeps up to date). Returns 1, with the
#                         reason in X_SESSION_ERROR, where no server can start.
#   x_session_stop        ends every process that x_session_start started.
#   x_started PID         records another process for x_session_stop to end.
#   x_geometry WINDOW     prints "x y width height" of the window's inside.
#   x_a11y_bus DIR        starts a private session bus with the accessibility bus.
#   wait_until SECONDS COMMAND...   true once COMMAND succeeds, false at the deadline.

X_SESSION_PIDS=()
x_session_rc=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/openbox.xml

x_started() { X_SESSION_PIDS+=("$1"); }

wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.05
    done
}

# x_session_wait WHAT PID LOG TEST: until TEST succeeds, while PID lives, for 20 s.
x_session_wait() {
    wait_until 20 eval "$4 || ! kill -0 $2 2>/dev/null" && kill -0 "$2" 2>/dev/null && return
    X_SESSION_ERROR="$1 did not start: $(tr '\n' ' ' <"$3" | cut -c1-300)"
    return 1
}

x_session_start() {
    local dir=$1 tool
    for tool in Xvfb openbox xdotool xwininfo xprop setxkbmap; do
        command -v "$tool" >/dev/null 2>&1 ||
            { X_SESSION_ERROR="$tool is not installed (script/bootstrap --test installs it)"; return 1; }
    done
    mkdir -p "$dir/fb" "$dir/xdg-config" "$dir/xdg-cache" "$dir/runtime"
    chmod 700 "$dir/runtime"
    export XDG_CONFIG_HOME=$dir/xdg-config XDG_CACHE_HOME=$dir/xdg-cache XDG_RUNTIME_DIR=$dir/runtime

    # -displayfd: the server takes the first free display number and writes it
    # once it accepts connections, so two sessions never race for one number.
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset -fbdir "$dir/fb" \
        9>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    x_started $!
    x_session_wait Xvfb $! "$dir/xvfb.log" "grep -q '^[0-9][0-9]*\$' '$dir/display'" || return 1
    export DISPLAY=:$(head -n 1 "$dir/display")
    X_FRAMEBUFFER=$dir/fb/Xvfb_screen0

    openbox --sm-disable --config-file "$x_session_rc" >"$dir/openbox.log" 2>&1 &
    x_started $!
    x_session_wait openbox $! "$dir/openbox.log" \
        "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'"
}

x_session_stop() {
    local i
    # The last started first: the programs, then the window manager, then the server.
    for ((i = ${#X_SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${X_SESSION_PIDS[i]}" 2>/dev/null && { wait "${X_SESSION_PIDS[i]}" 2>/dev/null || true; }
    done
    X_SESSION_PIDS=()
}

# xwininfo tells the absolute X and Y, then the relative ones, then the width and height.
x_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left [XY]:|^ *(Width|Height):/ { v[n++] = $NF }
        END { if (n == 4) print v[0], v[1], v[2], v[3] }'
}

x_a11y_bus() {
    dbus-daemon --session --nofork --print-address=3 3>"$1/bus" >/dev/null 2>&1 &
    x_started $!
    wait_until 10 test -s "$1/bus" || return 1
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$1/bus") && export DBUS_SESSION_BUS_ADDRESS
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    x_started $!
}
