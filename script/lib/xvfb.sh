# Sourced by the scripts: starts a private Xvfb display, exports DISPLAY, stops it on exit.
start_private_xvfb() {
    local dir display
    dir=$(mktemp -d)
    mkfifo "$dir/display"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
    if ! read -r -t 30 display <"$dir/display"; then
        echo "Xvfb did not start:" >&2
        cat "$dir/log" >&2
        rm -rf "$dir"
        exit 1
    fi
    rm -rf "$dir"
    export DISPLAY=":$display"
}
