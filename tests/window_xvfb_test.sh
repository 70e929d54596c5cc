#!/usr/bin/env bash
# Runs the window program on a private Xvfb server and checks, through the X
# server, what a user would see: after a failed run the window titled
# "Quorvane converter" stays at its place and size until it is closed the way
# a window manager closes it, and the program then exits with 1; after a
# successful run the map is there, no window is left and the exit status is 0.
#
# Arguments: QUORVANE X_WINDOW LISTING EXPECTED_MAP WORK_DIR
set -euo pipefail

quorvane=$1 x_window=$2 listing=$3 expected_map=$4 work=$5
title="Quorvane converter"
xvfb_pid="" app_pid=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  return 0
}
trap cleanup EXIT

# Polls a condition ten times a second for at most $1 seconds.
wait_until() {
  local limit=$(($1 * 10))
  shift
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
alive() { kill -0 "$app_pid" 2>/dev/null; }
dead() { ! alive; }
failure_reported() { grep -Fqx "$1" "$work/err"; }

command -v Xvfb >/dev/null || fail "Xvfb is not installed (Debian package xvfb)"
rm -rf "$work"
mkdir -p "$work"

# Xvfb picks a free display number itself and writes it once it accepts
# connections, so parallel runs and other servers on this machine don't clash.
# Without -noreset the server resets whenever its last client leaves, and the
# next run's connection could arrive in the middle of that.
Xvfb -displayfd 3 -screen 0 800x700x24 -nolisten tcp -noreset \
  3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_until 20 test -s "$work/display" ||
  fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A missing listing: the window shows "Error" and waits for the user.
"$quorvane" "$work/missing.asm" >"$work/out" 2>"$work/err" &
app_pid=$!
read -r id x y width height < <(timeout 30 "$x_window" find "$title" 20) ||
  fail "no window titled '$title'"
[ "$x $y $width $height" = "110 103 439 549" ] ||
  fail "client area at $x,$y size ${width}x$height, not 110,103 size 439x549"
diagnostic="quorvane: cannot open '$work/missing.lst': No such file or directory"
wait_until 20 failure_reported "$diagnostic" ||
  fail "no diagnostic on stderr: $(cat "$work/err")"
sleep 0.5
alive || fail "the program ended after a failed run without being closed"
timeout 30 "$x_window" find "$title" 1 >/dev/null ||
  fail "the window went away after a failed run"
[ ! -s "$work/out" ] || fail "unexpected output: $(cat "$work/out")"
timeout 30 "$x_window" close "$id" || fail "cannot close the window"
wait_until 20 dead || fail "the program did not end when its window was closed"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 1 ] || fail "exit status $status after a failed run, not 1"

# A good listing: the window closes itself once the map is written.
cp "$listing" "$work/good.lst"
"$quorvane" "$work/good.asm" >"$work/out" 2>"$work/err" &
app_pid=$!
wait_until 20 dead || fail "the window did not close after a successful run"
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" = 0 ] || fail "exit status $status after a good run: $(cat "$work/err")"
cmp "$expected_map" "$work/good.map" || fail "good.map differs from $expected_map"
[ "$(timeout 30 "$x_window" count "$title")" = 0 ] ||
  fail "a window titled '$title' is left"
echo "PASS"
