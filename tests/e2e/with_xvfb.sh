#!/usr/bin/env bash
# Runs a command under a virtual X server of its own: Xvfb picks a free display number and
# tells it, so that servers started at the same moment (other tests, other builds) never
# share one, as xvfb-run -a can.
#   with_xvfb.sh <screen WxHxD> <command...>
set -euo pipefail
screen=$1; shift
exec {ready}<> <(:)
# No auto-repeat: on a busy machine the release of a key sent by xdotool can come late enough
# for the server to repeat the key, which would then count twice. No reset: an X server resets
# when its last client leaves, and a game started again in that moment cannot connect.
Xvfb -displayfd "$ready" -screen 0 "$screen" -nolisten tcp -r -noreset >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
read -r -t 20 number <&"$ready" || { echo "with_xvfb: no X server" >&2; exit 1; }
export DISPLAY=":$number"
# The command runs in a process group of its own, which is stopped with the server however the
# command ends: nothing it started (a game, a nested compositor) outlives the test.
setsid "$@" &
command=$!
trap 'kill -- -"$command" 2>/dev/null || true; kill "$server" 2>/dev/null || true' EXIT
wait "$command"
