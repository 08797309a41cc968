#!/bin/sh
# Smoke test of the editor in a real X server: vexlor-gui starts on the
# example, shows its window and quits through Alt+X typed by xdotool, with
# nothing on standard error and the file untouched. Exits 77 (skipped) where
# xvfb-run, xauth or xdotool is missing.
#
# Usage: gui_smoke.sh VEXLOR-GUI EXAMPLE
set -u

if [ "${1:-}" = "--inside" ]; then
    # Runs inside the virtual X server: $2 the program, $3 the work folder.
    gui=$2
    work=$3
    "$gui" /F "$work/model.txt" 2>"$work/stderr" &
    pid=$!
    wid=""
    tries=0
    while [ -z "$wid" ] && [ $tries -lt 150 ] && kill -0 "$pid" 2>/dev/null; do
        wid=$(xdotool search --onlyvisible --name '^Vexlor - ' 2>/dev/null | head -n 1)
        [ -n "$wid" ] || sleep 0.1
        tries=$((tries + 1))
    done
    if [ -z "$wid" ]; then
        echo "FAIL: no editor window appeared"
        kill "$pid" 2>/dev/null
        cat "$work/stderr"
        exit 1
    fi
    echo "window $wid: $(xdotool getwindowname "$wid")"
    xdotool windowfocus --sync "$wid" || echo "focus failed"
    sleep 0.5
    xdotool key --clearmodifiers alt+x
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ $tries -lt 100 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "FAIL: the editor did not quit on Alt+X"
        kill "$pid"
        exit 1
    fi
    wait "$pid"
    code=$?
    [ $code -eq 0 ] || { echo "FAIL: the editor exited with $code"; cat "$work/stderr"; }
    exit $code
fi

gui=$1
example=$2
for tool in xvfb-run xauth xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cp "$example" "$work/model.txt"
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
# Settings of this run's own, never the user's.
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=xcb

xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" --inside "$gui" "$work"
status=$?
if [ $status -ne 0 ]; then
    echo "FAIL: exit status $status"
    exit 1
fi
if [ -s "$work/stderr" ]; then
    echo "FAIL: the editor wrote to standard error:"
    cat "$work/stderr"
    exit 1
fi
if ! cmp -s "$example" "$work/model.txt"; then
    echo "FAIL: the file changed although nothing was edited"
    exit 1
fi
echo "PASS: started, showed its window and quit through Alt+X"
