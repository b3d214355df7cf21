#!/usr/bin/env bash
# Start-up benchmark of a game beside a bare Qt 6 window, under X (Xvfb when there is no
# display). Needs a Release build with the tests and benchmarks: ./vum test or ./vum bench makes one.
#   bench/startup.sh sudoku|squares [runs] [other build of the game]
# Prints, per program, the median over the runs (after one warm-up) of: exec to the first
# window mapped, exec to its content painted, resident memory 3 s after start; and the
# ratio of the game's paint time to the bare window's. The Sudoku is measured twice in each
# run: making its first puzzle, and resuming a saved one. Given another build of the same game
# (an older executable, say), it is measured in the same runs, turn about with this one.
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:?usage: bench/startup.sh sudoku|squares [runs] [other build of the game]}
runs=${2:-5}
other=${3:+$(readlink -f "$3")}
build=build/release

if [ -z "${DISPLAY:-}" ]; then
  exec bash tests/e2e/with_xvfb.sh 1280x1024x24 "$0" "$@"
fi

case "$game" in
  # The first puzzle is painted when the board shows a black given digit on a cell of the
  # corner blocks' green. From 3 s to 6 s the game waits for the player and must use no CPU.
  sudoku) exe=$build/sudoku/VumSudoku
    probe_args=(--title "ВУМ Судоку" --region 8,4,328,328 --colour 000000 --colour 9CC99C --cpu-from 3000 --cpu-to 6000) ;;
  # The level dialog is painted when its dark brownish red title band shows. A second pass
  # below plays a game for its memory and CPU.
  squares) exe=$build/squares/VumSquare; probe_args=(--title "Выберите сложность игры" --colour 804040) ;;
  *) echo "unknown game $game" >&2; exit 2 ;;
esac
cmake --build --preset release --target startup_probe bare_window vum-sudoku-gen "$(basename "$exe")" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() { # label, then probe arguments and program; prints the probe's line
  "$build/bench/startup_probe" "$@"
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
field() { sed -E "s/.*$1=([-0-9.]+).*/\1/"; }

# A saved game of level 1 with no entries yet, as the Sudoku writes it.
saved_game() {
  local puzzle solution
  read -r puzzle solution < <("$build/sudoku/vum-sudoku-gen" --level 1 --seed 1)
  printf 'VumSudoku saved game\nversion 1\nlevel 1\nsolution %s\ngivens %s\nentries %s\nshown %s\nundo 0\n' \
    "$solution" "$(tr '1-9.' '1111111110' <<<"$puzzle")" "$puzzle" "$puzzle"
}

: >"$work/game.txt"; : >"$work/bare.txt"; : >"$work/other.txt"; : >"$work/resumed.txt"
for run in $(seq 0 "$runs"); do
  # A fresh folder each time: the game starts as on a first run, with no files beside it.
  rm -rf "$work/game"; mkdir "$work/game"; cp "$exe" "$work/game/"
  g=$(measure "${probe_args[@]}" -- "$work/game/$(basename "$exe")")
  b=$(measure --title "Bare Qt window" --colour 0000FF -- "$build/bench/bare_window")
  if [ "$game" = sudoku ]; then
    rm -rf "$work/game"; mkdir "$work/game"; cp "$exe" "$work/game/"
    saved_game >"$work/game/VumSudoku.sav"
    r=$(measure "${probe_args[@]}" -- "$work/game/$(basename "$exe")")
  fi
  if [ -n "$other" ]; then
    rm -rf "$work/game"; mkdir "$work/game"; cp "$other" "$work/game/$(basename "$exe")"
    o=$(measure "${probe_args[@]}" -- "$work/game/$(basename "$exe")")
  fi
  if [ "$run" -gt 0 ]; then
    echo "$g" >>"$work/game.txt"; echo "$b" >>"$work/bare.txt"
    [ "$game" != sudoku ] || echo "$r" >>"$work/resumed.txt"
    [ -z "$other" ] || echo "$o" >>"$work/other.txt"
  fi
done

report() { # name file
  local map paint rss cpu
  map=$(field map_ms <"$2" | median); paint=$(field paint_ms <"$2" | median); rss=$(field rss_kb <"$2" | median)
  printf '%-12s mapped %7.1f ms   painted %7.1f ms   resident %6.1f MB' "$1" "$map" "$paint" "$(awk -v r="$rss" 'BEGIN{print r/1024}')"
  # CPU while waiting, when the game's probe measured it (negative otherwise).
  cpu=$(field cpu_ms_per_s <"$2" | sort -n | tail -n 1)
  if awk -v c="$cpu" 'BEGIN{exit !(c >= 0)}'; then printf '   CPU while waiting %.1f ms/s (most of all runs)' "$cpu"; fi
  printf '\n'
}
echo "median of $runs runs after a warm-up:"
report "$game" "$work/game.txt"
[ "$game" != sudoku ] || report "resumed" "$work/resumed.txt"
[ -z "$other" ] || report "other build" "$work/other.txt"
report "bare Qt" "$work/bare.txt"
g=$(field paint_ms <"$work/game.txt" | median); b=$(field paint_ms <"$work/bare.txt" | median)
printf 'ratio (painted): %.2f\n' "$(awk -v g="$g" -v b="$b" 'BEGIN{print g/b}')"
if [ -n "$other" ]; then
  o=$(field paint_ms <"$work/other.txt" | median)
  printf 'ratio of the other build (painted): %.2f\n' "$(awk -v g="$o" -v b="$b" 'BEGIN{print g/b}')"
fi

play_pass() { # executable label: plays three games and reports their memory and CPU
  : >"$work/play.txt"
  for run in $(seq 1 "$(( runs < 3 ? runs : 3 ))"); do
    rm -rf "$work/game"; mkdir "$work/game"; cp "$1" "$work/game/VumSquare"
    : >"$work/probe.out"
    "$build/bench/startup_probe" --title "Выберите сложность игры" --colour 804040 --keys-on-map \
      --rss-after 8000 --cpu-from 8000 --cpu-to 30000 -- "$work/game/VumSquare" >"$work/probe.out" &
    probe=$!
    dialog=
    for _ in $(seq 200); do
      grep -q mapped "$work/probe.out" &&
        dialog=$(xdotool search --onlyvisible --name "Выберите сложность игры" | head -n 1 || true)
      [ -n "$dialog" ] && break
      sleep 0.05
    done
    [ -n "$dialog" ] || { echo "no level dialog" >&2; exit 1; }
    pid=$(xdotool getwindowpid "$dialog")
    # Focus, then press and release through the server, in two calls: a key chained to a
    # window command goes to that window alone, and its release is lost when it closes.
    xdotool windowfocus --sync "$dialog"
    xdotool key Return
    sleep 6; before=$(cut -d' ' -f1 "/proc/$pid/schedstat")
    sleep 20; after=$(cut -d' ' -f1 "/proc/$pid/schedstat")
    wait "$probe"
    grep -q VidUser "$work/game/VumColor/VumColor.ini" || { echo "the level dialog was not answered" >&2; exit 1; }
    echo "$(grep map_ms "$work/probe.out") play_cpu=$(awk -v a="$before" -v b="$after" 'BEGIN{print (b-a)/1e6/20}')" \
      >>"$work/play.txt"
  done
  rss=$(field rss_kb <"$work/play.txt" | median); cpu=$(field play_cpu <"$work/play.txt" | median)
  printf '%-12s resident %6.1f MB   CPU %.3f ms per second of play (median of %d runs)\n' \
    "$2" "$(awk -v r="$rss" 'BEGIN{print r/1024}')" "$cpu" "$(wc -l <"$work/play.txt")"
}

# Squares: a game running. The level dialog is answered with Enter as soon as it is painted;
# the probe reads the resident memory 8 s after start, and the CPU the game spends from 6 s
# to 26 s of play (about nine field ticks at 2300 ms and twenty ticks of the speed clock) is
# read from /proc/<pid>/schedstat, in nanoseconds.
if [ "$game" = squares ]; then
  play_pass "$exe" playing
  [ -z "$other" ] || play_pass "$other" "other build"
fi
