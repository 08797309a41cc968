#!/usr/bin/env bash
# End to end: vexlor-demo-host and the editor in a virtual X server, typed at
# through the X server's own keyboard (xdotool). The user adds a formula with
# an empty slot and saves; the host rejects it and the editor shows the red
# message; the user fixes the formula and saves; the host accepts and
# rewrites its file; F1 reaches the host; Alt+S closes the editor and the
# host receives TERMINATE.
#
# Usage: e2e_demo_host.sh VEXLOR_GUI VEXLOR_DEMO_HOST
# Exits 77 (skipped) when a binary, xvfb-run, xauth, xdotool or python3 is
# missing.
set -euo pipefail

gui=${1:-}
host=${2:-}
# The window title is matched as UTF-8 text, whatever the caller's locale.
export LC_ALL=C.UTF-8

skip() {
    echo "skipped: $*"
    exit 77
}

[[ -n $gui && -x $gui ]] || skip "the editor (vexlor-gui) is not built"
[[ -n $host && -x $host ]] || skip "vexlor-demo-host is not built"
for tool in xvfb-run xauth xdotool python3; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is missing"
done

# First pass: start a virtual X server whose screen is also a file, and run
# the second pass inside it.
if [[ -z ${VEXLOR_E2E_WORK:-} ]]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -m 700 "$work/fb"
    status=0
    VEXLOR_E2E_WORK=$work xvfb-run -a -s "-screen 0 1024x768x24 -fbdir $work/fb" \
        "$0" "$@" || status=$?
    exit "$status"
fi

work=$VEXLOR_E2E_WORK
# The editor shows on the virtual X server, whatever platform tests use.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
# A socket folder and a host name of this run's own, so that runs side by
# side never meet.
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Settings of this run's own, never the user's.
export XDG_CONFIG_HOME=$work/config
name=E2E-$$
file=$work/model.txt
printf 'a = b;\r\n' >"$file"
hostpid=
guipid=

cleanup() {
    for pid in $guipid $hostpid; do
        kill "$pid" 2>/dev/null || true
    done
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    echo "--- host log"
    cat "$work/host.log" || true
    echo "--- editor output"
    cat "$work/gui.log" || true
    exit 1
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tries=$1
    shift
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

log_has() { grep -qsF -- "$1" "$work/host.log"; }
help_printed() { grep -qs "Vexlor" "$work/host.out"; }
# The process has ended (a child that is not yet waited for is a zombie).
gone() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0
    [[ $state == Z* ]]
}

# Red pixels (red text, antialiased) in the window's bottom 40 rows, the
# status bar, read from the X server's screen file.
red_in_status_bar() {
    eval "$(xdotool getwindowgeometry --shell "$win")"
    python3 - "$work/fb/Xvfb_screen0" "$X" "$Y" "$WIDTH" "$HEIGHT" <<'EOF'
import struct, sys
data = open(sys.argv[1], "rb").read()
x0, y0, w, h = (int(v) for v in sys.argv[2:6])
head = struct.unpack(">25I", data[:100])
size, width, height, lsb_first, bpp, per_line, ncolors = (
    head[0], head[4], head[5], head[7] == 0, head[11], head[12], head[19])
if bpp != 32:
    sys.exit("unexpected screen format")
start = size + ncolors * 12
red = 0
for y in range(max(y0 + h - 40, 0), min(y0 + h, height)):
    row = start + y * per_line
    for x in range(max(x0, 0), min(x0 + w, width)):
        p = data[row + 4 * x: row + 4 * x + 4]
        b, g, r = (p[0], p[1], p[2]) if lsb_first else (p[3], p[2], p[1])
        red += r > 160 and g < 110 and b < 110
print(red)
EOF
}
status_bar_red() { (($(red_in_status_bar) > 50)); }
status_bar_plain() { (($(red_in_status_bar) == 0)); }

# The host, then the editor talking to it.
"$host" "$name" "$file" --title "Модель 1" >"$work/host.out" 2>"$work/host.log" &
hostpid=$!
wait_for 300 log_has "listening" || fail "the demo host does not listen"
"$gui" /N "$name" >"$work/gui.log" 2>&1 &
guipid=$!

# The caption comes from the host's "GetTitle".
win=$(timeout 60 xdotool search --sync --onlyvisible --name "^Vexlor - Модель 1\$" | head -n 1) ||
    fail "no editor window with the host's title"
log_has '-> DATA "GetText"' || fail "the host did not serve the text"
wait_for 300 status_bar_plain || fail "red pixels in the status bar at start"

xdotool windowfocus --sync "$win"
xdotool mousemove --window "$win" 300 150 click 1
sleep 0.3

# A new expression with an empty denominator: rejected.
xdotool key End Return
xdotool type --delay 80 "y = a/"
xdotool key ctrl+s
wait_for 300 log_has '-> DATA "CheckTextError"' || fail "the host did not reject the empty slot"
grep -qF '<- POKE "CheckText" "a = b;\ny = a / ( ? );"' "$work/host.log" ||
    fail "the editor did not send the typed formula"
wait_for 300 status_bar_red || fail "no red message after the rejection"

# The faulty expression is selected: typing replaces it. Accepted.
xdotool type --delay 80 "y = a/b"
xdotool key ctrl+s
wait_for 300 log_has '-> ACK "CheckTextOK"' || fail "the host did not accept the fixed text"
grep -q 'y = a / b' "$file" || fail "the host did not rewrite its file"
if grep -qF '( ? )' "$file"; then fail "the rejected text reached the file"; fi
wait_for 300 status_bar_plain || fail "the red message stayed after the accepted save"

# Get help reaches the host.
xdotool key F1
wait_for 300 help_printed || fail "F1 did not reach the host"

# Save and Exit: the host accepts, the editor closes and says TERMINATE.
xdotool key alt+s
wait_for 300 gone "$guipid" || fail "Alt+S did not close the editor"
guistatus=0
wait "$guipid" || guistatus=$?
guipid=
((guistatus == 0)) || fail "the editor exited with $guistatus"
wait_for 300 gone "$hostpid" || fail "the demo host did not end with the editor"
hoststatus=0
wait "$hostpid" || hoststatus=$?
hostpid=
log_has "<- TERMINATE" || fail "the host did not receive TERMINATE"
((hoststatus == 0)) || fail "the demo host exited with $hoststatus"
echo "PASS: the editor and the demo host talked from start to TERMINATE"
