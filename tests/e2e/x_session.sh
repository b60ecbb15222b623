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

X_SESSION_PIDS=()
X_SESSION_ERROR=
X_SESSION_SCREEN=1024x768x24
x_session_rc=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/openbox.xml

x_started() { X_SESSION_PIDS+=("$1"); }

x_session_missing_tools() {
    local tool missing=
    for tool in Xvfb openbox xdotool xwininfo xprop od awk; do
        command -v "$tool" >/dev/null 2>&1 || missing="$missing $tool"
    done
    printf '%s' "$missing"
}

x_session_start() {
    local dir=$1 missing
    missing=$(x_session_missing_tools)
    if [ -n "$missing" ]; then
        X_SESSION_ERROR="not installed:$missing (script/bootstrap installs them)"
        return 1
    fi
    mkdir -p "$dir/fb" "$dir/xdg-config" "$dir/xdg-cache" "$dir/runtime"
    chmod 700 "$dir/runtime"
    export XDG_CONFIG_HOME=$dir/xdg-config XDG_CACHE_HOME=$dir/xdg-cache
    export XDG_RUNTIME_DIR=$dir/runtime

    # -displayfd: the server takes the first free display number and writes it
    # once it accepts connections, so two sessions never race for one number.
    : >"$dir/display"
    Xvfb -displayfd 9 -screen 0 "$X_SESSION_SCREEN" -nolisten tcp -fbdir "$dir/fb" \
        9>"$dir/display" >"$dir/xvfb.log" 2>&1 &
    local xvfb=$!
    x_started "$xvfb"
    local deadline=$((SECONDS + 20)) number=
    while :; do
        number=$(head -n 1 "$dir/display")
        [[ $number =~ ^[0-9]+$ ]] && [ "$(wc -l <"$dir/display")" -ge 1 ] && break
        if ! kill -0 "$xvfb" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            X_SESSION_ERROR="Xvfb could not start: $(tr '\n' ' ' <"$dir/xvfb.log" | cut -c1-300)"
            return 1
        fi
        sleep 0.05
    done
    export DISPLAY=:$number
    X_FRAMEBUFFER=$dir/fb/Xvfb_screen0

    openbox --sm-disable --config-file "$x_session_rc" >"$dir/openbox.log" 2>&1 &
    local wm=$!
    x_started "$wm"
    deadline=$((SECONDS + 20))
    until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
        if ! kill -0 "$wm" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            X_SESSION_ERROR="openbox did not start: $(tr '\n' ' ' <"$dir/openbox.log" | cut -c1-300)"
            return 1
        fi
        sleep 0.05
    done
}

x_session_stop() {
    local i pid
    # The last started first: the programs, then the window manager, then the server.
    for ((i = ${#X_SESSION_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${X_SESSION_PIDS[i]}
        if kill "$pid" 2>/dev/null; then wait "$pid" 2>/dev/null || true; fi
    done
    X_SESSION_PIDS=()
}

# x_geometry WINDOW: "x y width height" of the window's inside, on the screen.
x_geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $NF }
        /Absolute upper-left Y:/ { y = $NF }
        /^ *Width:/ { w = $NF }
        /^ *Height:/ { h = $NF }
        END { if (w != "") print x, y, w, h }'
}
