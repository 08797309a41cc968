#!/usr/bin/env bash
# Runs the vexlor program on one golden case and compares its output.
# A case NAME has NAME.in (the file), optionally NAME.keys (a key script)
# and NAME.args (the print option, --print-text when absent), and the
# expected NAME.out; NAME.status holds an expected exit status other than 0.
set -u
exe=$1
case_path=$2
args=--print-text
[ -f "$case_path.args" ] && args=$(cat "$case_path.args")
keys=()
[ -f "$case_path.keys" ] && keys=(--keys "$(cat "$case_path.keys")")
expected_status=0
[ -f "$case_path.status" ] && expected_status=$(cat "$case_path.status")
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
# shellcheck disable=SC2086
"$exe" "${keys[@]}" $args "$case_path.in" >"$actual" 2>/dev/null
status=$?
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  exit 1
fi
if ! cmp -s "$actual" "$case_path.out"; then
  echo "output differs from $case_path.out:"
  diff <(od -c "$case_path.out") <(od -c "$actual") | head -40
  exit 1
fi
