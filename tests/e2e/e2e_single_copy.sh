#!/usr/bin/env bash
# One copy of a game per data folder, under Xvfb. A second copy started on the folder of a
# running one brings that one's window to the front, above another program's window, and ends
# at once without a word, writing nothing. (Who gets the keyboard then is the window
# manager's to decide; there is none here.) A copy that is stopped
# (SIGSTOP, as a hung one) keeps a second one waiting a few seconds only, which then ends with
# one line on standard error and status 1, writing nothing. A copy that was killed leaves
# nothing behind that keeps the next one from starting.
#   e2e_single_copy.sh <VumSudoku|VumSquare> <xshot> <tests/e2e>
program=$1
# shellcheck source=e2e_lib.sh
source "$3/e2e_lib.sh"
name=$(basename "$program")
case "$name" in
  VumSudoku) title="ВУМ Судоку" close_key=Return written=VumSudoku.sav played= ;;
  VumSquare) title="ВУМ квадратики" close_key=Escape written=VumColor/VumColor.ini played='./VumColor/VumColor?.sav' ;;
  *) fail "no game $name" ;;
esac

# start_game: starts the program (again, in the same folder) and waits for its main window and
# for the first file it writes (the Sudoku's saved game, the squares' level); sets $main.
start_game() {
  if [ -z "${E2E_PROGRAM:-}" ]; then start_program "$program"; else restart_program; fi
  if [ "$name" = VumSquare ]; then press "$(wait_window "Выберите сложность игры")" Return; fi
  main=$(wait_window "$title")
  local deadline=$((SECONDS + 20))
  until [ -f "$E2E_WORK/$written" ]; do
    [ $SECONDS -lt $deadline ] || fail "no $written"
    sleep 0.1
  done
}

# files: what the game keeps in its folder, each file with its checksum; but the squares' game
# in progress, which the running copy writes as it plays.
files() { (cd "$E2E_WORK" && find . -type f ! -name "$name" ! -name second.err ! -path "$played" -print0 | sort -z | xargs -0 -r md5sum); }

# second_copy <seconds>: runs the program once more in the same folder, for at most that long;
# sets $status, $took (seconds) and $said (its standard error).
second_copy() {
  local start=$SECONDS
  status=0
  timeout "$1" "$E2E_PROGRAM" 2>"$E2E_WORK/second.err" || status=$?
  took=$((SECONDS - start))
  said=$(grep -v 'XDG_RUNTIME_DIR' "$E2E_WORK/second.err" || true)
}

# above <window> <other>: whether window stands above other (xwininfo lists the root's children
# top first).
above() {
  xwininfo -root -children | awk -v a="$(printf '0x%x' "$1")" -v b="$(printf '0x%x' "$2")" '
    $1 == a && !seen { found = 1; exit } $1 == b { seen = 1 } END { exit !found }'
}

start_game
xmessage -geometry 1000x800+0+0 "another program" &
other=$!
trap 'kill "$other" 2>/dev/null || true; e2e_clean_up' EXIT
away=$(wait_window "xmessage")
xdotool windowraise "$away" windowfocus --sync "$away"
above "$away" "$main" || fail "the other program's window is not above the game's"
before=$(files)

# The second copy: the first one comes to the front.
second_copy 20
[ "$status" -eq 0 ] || fail "the second copy ended with status $status: $said"
[ -z "$said" ] || fail "the second copy said: $said"
deadline=$((SECONDS + 5))
until above "$main" "$away"; do
  [ $SECONDS -lt $deadline ] || fail "the running game's window did not come to the front"
  sleep 0.1
done
kill -0 "$E2E_PID" 2>/dev/null || fail "the running game ended"
[ "$(files)" = "$before" ] || fail "the files changed: $(files)"

# A stopped first copy: the second one waits a bounded time, says why and touches nothing.
kill -STOP "$E2E_PID"
second_copy 30
kill -CONT "$E2E_PID"
[ "$status" -eq 1 ] || fail "beside a stopped copy the second one ended with status $status"
[ "$took" -le 10 ] || fail "the second copy waited ${took} s for a stopped one"
[ "$(wc -l <<<"$said")" -eq 1 ] && grep -q 'does not answer' <<<"$said" ||
  fail "the second copy did not say why in one line: '$said'"
[ "$(files)" = "$before" ] || fail "the files changed beside a stopped copy: $(files)"

# A killed copy: the next one starts as if it had ended.
kill -KILL "$E2E_PID"
wait "$E2E_PID" 2>/dev/null || true
start_game
press "$main" "$close_key"
wait_exit 10
echo "e2e_single_copy ($name): a second copy brought the first to the front and ended; beside a stopped one it waited ${took} s and said so; after a kill the game started again"
