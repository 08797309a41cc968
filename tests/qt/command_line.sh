#!/bin/sh
# The argument rules of both programs, seen from a shell: a mistyped option
# prints the usage, naming the program, to standard error and exits 2
# without a window; --help names the program too.
#
# Usage: command_line.sh VEXLOR VEXLOR-GUI
set -u
vexlor=$1
gui=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'a = 1;\r\n' >"$work/m.txt"
failed=0

# expect STATUS NAME STDERR-PATTERN -- COMMAND...
expect() {
    status=$1
    name=$2
    pattern=$3
    shift 4
    # A display is offered: a program that wrongly opened a window would
    # wait there until the timeout instead of exiting.
    QT_QPA_PLATFORM=offscreen timeout 20 "$@" >"$work/out" 2>"$work/err" </dev/null
    actual=$?
    if [ "$actual" != "$status" ]; then
        echo "FAIL $name: exit status $actual, expected $status"
        failed=1
    elif ! grep -q -e "$pattern" "$work/err" "$work/out"; then
        echo "FAIL $name: no '$pattern' in its output:"
        cat "$work/err" "$work/out"
        failed=1
    else
        echo "ok   $name"
    fi
}

expect 2 "vexlor, mistyped option" "^vexlor: unknown option --print-txt" -- \
    "$vexlor" --print-txt "$work/m.txt"
expect 2 "vexlor, usage on stderr" "^Usage:" -- "$vexlor" --print-txt "$work/m.txt"
expect 2 "vexlor-gui, mistyped option" "^vexlor-gui: unknown option --print-text" -- \
    "$gui" --print-text "$work/m.txt"
expect 2 "vexlor-gui, usage names it" "^Usage: vexlor-gui \[/F file\]" -- "$gui" "$work/m.txt" --x
expect 2 "vexlor-gui, bare --" "unknown option --$" -- "$gui" --
expect 0 "vexlor-gui --help" "^Usage: vexlor-gui \[/F file\]" -- "$gui" --help
expect 0 "vexlor, batch mode still works" "^a = 1;" -- "$vexlor" --print-text "$work/m.txt"
# Both modes read the key script and the file alike.
for mode in --print-text "--export $work/o.svg"; do
    # shellcheck disable=SC2086
    expect 2 "vexlor $mode, --keys without a script" "takes one script" -- "$vexlor" $mode --keys
    # shellcheck disable=SC2086
    expect 2 "vexlor $mode, two files" "only one file" -- "$vexlor" $mode "$work/m.txt" "$work/m.txt"
    # shellcheck disable=SC2086
    expect 2 "vexlor $mode, bad key name" "<Nope>" -- "$vexlor" $mode --keys "<Nope>" "$work/m.txt"
done
# Texts over 16 MiB are refused with a message, from a file or standard input.
head -c 16777217 /dev/zero | tr '\0' a >"$work/huge.txt"
expect 1 "vexlor, file over the limit" "16 " -- "$vexlor" --print-text "$work/huge.txt"
expect 1 "vexlor, standard input over the limit" "16 " -- \
    sh -c '"$1" --print-text - <"$2"' sh "$vexlor" "$work/huge.txt"
# Nothing reached standard output on the mistakes.
"$gui" --bogus >"$work/out" 2>/dev/null
if [ -s "$work/out" ]; then
    echo "FAIL vexlor-gui wrote to standard output on a mistake"
    failed=1
fi
exit $failed
