# Shared steps of the end-to-end tests. Each test runs under an X server of its own (see
# cmake/VumTesting.cmake), copies the program into a fresh folder, drives it with xdotool
# and checks what it wrote to disk.
set -euo pipefail

E2E_WORK=$(mktemp -d)
# Only a program that was started is stopped: "kill 0" would signal the whole process group,
# the test runner's included.
e2e_clean_up() {
  [ -z "${E2E_PID:-}" ] || kill "$E2E_PID" 2>/dev/null || true
  rm -rf "$E2E_WORK"
}
trap e2e_clean_up EXIT
# A test stopped by a signal cleans up as well (bash runs no EXIT trap for a fatal signal).
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 141' PIPE
trap 'exit 143' TERM

fail() { echo "FAIL: $*" >&2; exit 1; }

# start_program <path-to-built-program>: copies it into a fresh folder and starts it there.
start_program() {
  cp "$1" "$E2E_WORK/"
  E2E_PROGRAM="$E2E_WORK/$(basename "$1")"
  "$E2E_PROGRAM" &
  E2E_PID=$!
}

# restart_program: starts the program of start_program again, in the same folder.
restart_program() {
  "$E2E_PROGRAM" &
  E2E_PID=$!
}

# wait_window [--own] <title-pattern> [seconds]: prints the id of a visible window whose title
# matches; with --own, one of the started program's windows only (another copy may be running).
wait_window() {
  local own=()
  [ "$1" = --own ] && { own=(--all --pid "$E2E_PID"); shift; }
  local pattern=$1 deadline=$((SECONDS + ${2:-20})) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible "${own[@]}" --name "$pattern" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$E2E_PID" 2>/dev/null || fail "the program ended before showing '$pattern'"
    sleep 0.1
  done
  fail "no window '$pattern' within ${2:-20} s"
}

# wait_exit [seconds]: waits for the program to end; fails if it does not.
wait_exit() {
  local deadline=$((SECONDS + ${1:-10}))
  while kill -0 "$E2E_PID" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.1
  done
  wait "$E2E_PID" || true
}

# press <window> <key>: focuses the window, then presses and releases the key through the
# server. (With xdotool key --window the release goes to the window alone and is lost when
# the key closes it; the server then repeats the key as if it were held.)
press() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }
