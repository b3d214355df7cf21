# Soak test of the games: each program, built with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs in a fresh folder under an X server and gets random but
# plausible input in every window it shows (left and right clicks, Enter, Escape, F1, F5,
# F10, arrows, digits, letters, Backspace). A program that ends by itself (Enter and Esc
# may close the main windows) is checked and started again.
#
#   soak.sh <seconds per program> <events per program, 0 for no cap> <soak_probe> <program>...
#
# Run it under an X server (./vum soak does, and builds soak_probe beside the programs).
# After every exit the files beside the program are checked (tests/soak/soak_probe.cpp
# check): records, settings and the saved game whole and well-formed, and no record lost
# since the check before. A hang is a window
# whose GUI thread does not answer a _NET_WM_PING for 10 s (soak_probe.cpp ping), or a
# running program without a window for 10 s; a blocking notice of 3 or 4 s answers the
# ping, since it waits in an event loop. A crash is an exit by a signal or with a
# non-zero status. Sanitizer reports are the log files the sanitizers write.
# The last line sums it up; the exit status is 1 when anything went wrong.
set -uo pipefail

seconds=$1
max_events=$2
probe=$(readlink -f "$3")
shift 3
here=$(dirname "$(readlink -f "$0")")
repo=$(readlink -f "$here/../..")
work=$(mktemp -d /tmp/vum-soak-XXXXXX)
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null
  if [ "${keep_work:-0}" = 0 ]; then rm -rf "$work"; else echo "soak: logs kept in $work"; fi
}
trap cleanup EXIT

[ -x "$probe" ] || { echo "soak: no soak_probe at $probe"; exit 2; }
# The probe is built with the sanitizers too; Xlib's allocations are no leak of ours.
probe() { ASAN_OPTIONS=detect_leaks=0 "$probe" "$@"; }

# Links in the contact panel open nothing: a stand-in for xdg-open notes the address.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "$@" >> "%s/opened.txt"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb
export LSAN_OPTIONS="suppressions=$repo/tests/lsan.supp:print_suppressions=0"

KEYS=(Return Escape F1 F5 F10 Left Right Up Down BackSpace
      0 1 2 3 4 5 6 7 8 9 a b c d e f g h i j k l m n o p q r s t u v w x y z)

# The windows are of fixed size: their sizes are asked once ("width height").
declare -A SIZES=()

# One random input event for window $1; prints nothing. (A button press and release
# rather than xdotool's click, which waits 100 ms after it.)
send_event() {
  local w=$1 WIDTH=0 HEIGHT=0 X=0 Y=0 SCREEN=0 WINDOW=0
  if [ -z "${SIZES[$w]:-}" ]; then
    eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)"
    SIZES[$w]="$WIDTH $HEIGHT"
  fi
  read -r WIDTH HEIGHT <<<"${SIZES[$w]}"
  [ "$WIDTH" -gt 0 ] && [ "$HEIGHT" -gt 0 ] || return 1
  local roll=$((RANDOM % 100))
  if [ $roll -lt 55 ]; then
    xdotool windowfocus "$w" mousemove --window "$w" $((RANDOM % WIDTH)) $((RANDOM % HEIGHT)) mousedown 1 mouseup 1 2>/dev/null
  elif [ $roll -lt 65 ]; then
    xdotool windowfocus "$w" mousemove --window "$w" $((RANDOM % WIDTH)) $((RANDOM % HEIGHT)) mousedown 3 mouseup 3 2>/dev/null
  else
    local key=${KEYS[$((RANDOM % ${#KEYS[@]}))]}
    # Enter and Esc may end the program: drawn a quarter as often as the other keys.
    if { [ "$key" = Return ] || [ "$key" = Escape ]; } && [ $((RANDOM % 4)) -ne 0 ]; then
      key=${KEYS[$((10 + RANDOM % (${#KEYS[@]} - 10)))]}
    fi
    xdotool windowfocus "$w" key "$key" 2>/dev/null
  fi
  return 0
}

total_events=0 total_restarts=0 total_crashes=0 total_hangs=0 total_reports=0 total_damaged=0 total_lost=0

soak_program() {
  local exe=$1 name game
  name=$(basename "$exe")
  case "$name" in
    VumSudoku) game=sudoku ;;
    VumSquare) game=squares ;;
    *) echo "soak: unknown program $name"; return 2 ;;
  esac
  local dir=$work/$name logs=$work/$name-sanitizer earlier=$work/$name-earlier
  mkdir -p "$dir" "$logs" "$earlier"
  cp "$exe" "$dir/"

  local events=0 starts=0 crashes=0 hangs=0 damaged=0 lost=0 killed=0 began=$SECONDS
  local deadline=$((SECONDS + seconds)) last_ping=$SECONDS seen_window=$SECONDS
  pid=""

  # Checks the files of the program that just ended against themselves and against the
  # files of the check before (kept in $earlier); counts each damaged file and each file
  # that lost records.
  check_files() {
    local report
    report=$(probe check "$game" "$dir" "$earlier")
    if [ -n "$report" ]; then
      echo "$report" | sed "s|^|soak: $name: |"
      damaged=$((damaged + $(grep -c '^damaged:' <<<"$report")))
      lost=$((lost + $(grep -c '^lost:' <<<"$report")))
      keep_work=1
    fi
    rm -rf "$earlier"
    cp -a "$dir" "$earlier"
  }
  # Reaps the program and tells a crash from an ordinary end.
  reap() {
    local status=0
    { wait "$pid"; } 2>/dev/null || status=$?
    if [ "$killed" = 0 ] && [ "$status" -ne 0 ]; then
      crashes=$((crashes + 1))
      keep_work=1
      echo "soak: $name: crash, exit status $status (after $events events)"
    fi
    pid=""
    killed=0
    check_files
  }

  while [ $SECONDS -lt $deadline ] && { [ "$max_events" = 0 ] || [ $events -lt "$max_events" ]; }; do
    if [ -z "$pid" ]; then
      (cd "$dir" && ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:log_path=$logs/asan" \
         UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$logs/ubsan" exec "./$name") \
         >>"$work/$name.out" 2>&1 &
      pid=$!
      SIZES=()
      starts=$((starts + 1))
      seen_window=$SECONDS
    fi
    if ! kill -0 "$pid" 2>/dev/null; then
      reap
      continue
    fi

    local windows=()
    mapfile -t windows < <(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)
    if [ ${#windows[@]} -eq 0 ]; then
      if [ $((SECONDS - seen_window)) -ge 10 ] && kill -0 "$pid" 2>/dev/null; then
        hangs=$((hangs + 1))
        keep_work=1
        echo "soak: $name: hang, no window for 10 s (after $events events)"
        killed=1
        kill -KILL "$pid" 2>/dev/null
      fi
      sleep 0.05
      continue
    fi
    seen_window=$SECONDS
    local w=${windows[$((RANDOM % ${#windows[@]}))]}

    if [ $((SECONDS - last_ping)) -ge 2 ]; then
      last_ping=$SECONDS
      probe ping "$w" 10000
      if [ $? -eq 1 ] && kill -0 "$pid" 2>/dev/null; then
        hangs=$((hangs + 1))
        keep_work=1
        echo "soak: $name: hang, window $w did not answer for 10 s (after $events events)"
        killed=1
        kill -KILL "$pid" 2>/dev/null
        continue
      fi
    fi

    send_event "$w" && events=$((events + 1))
    # A quick player's pace, not a flood that the program could only queue.
    sleep 0.02
  done

  # The end of the run: the program is stopped where it stands, as a power cut would.
  if [ -n "$pid" ]; then
    killed=1
    kill -KILL "$pid" 2>/dev/null
    reap
  fi

  local reports
  reports=$(find "$logs" -type f -size +0 | wc -l)
  if [ "$reports" -gt 0 ]; then
    keep_work=1
    for f in "$logs"/*; do echo "soak: $name: sanitizer report $f:"; head -20 "$f"; done
  fi
  echo "soak: $name: files at the end: $(cd "$dir" && find . -type f ! -name "$name" -printf '%P (%s bytes) ')"
  local restarts=$((starts - 1))
  echo "soak: $name: $((SECONDS - began)) s, events $events, restarts $restarts, crashes $crashes, hangs $hangs, sanitizer reports $reports, damaged files $damaged, files that lost records $lost"
  total_events=$((total_events + events)) total_restarts=$((total_restarts + restarts))
  total_crashes=$((total_crashes + crashes)) total_hangs=$((total_hangs + hangs))
  total_reports=$((total_reports + reports)) total_damaged=$((total_damaged + damaged)) total_lost=$((total_lost + lost))
}

for program in "$@"; do
  soak_program "$program"
done
echo "soak: events $total_events, restarts $total_restarts, crashes $total_crashes, hangs $total_hangs, sanitizer reports $total_reports, damaged files $total_damaged, files that lost records $total_lost"
[ $((total_crashes + total_hangs + total_reports + total_damaged + total_lost)) -eq 0 ]
