#!/usr/bin/env bash
# Start-up benchmark of a game beside a bare Qt 6 window, under X (Xvfb when there is no
# display). Needs a Release build: ./vum play or ./vum test makes one.
#   bench/startup.sh sudoku|squares [runs]
# Prints, per program, the median over the runs (after one warm-up) of: exec to the first
# window mapped, exec to its content painted, resident memory 3 s after start; and the
# ratio of the game's paint time to the bare window's.
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:?usage: bench/startup.sh sudoku|squares [runs]}
runs=${2:-5}
build=build/release

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

case "$game" in
  # The first puzzle is painted when the board shows a black given digit.
  sudoku) exe=$build/sudoku/VumSudoku; probe_args=(--title "ВУМ Судоку" --region 8,4,328,328 --colour 000000) ;;
  # The level dialog is painted when its dark brownish red title band shows.
  squares) exe=$build/squares/VumSquare; probe_args=(--colour 804040) ;;
  *) echo "unknown game $game" >&2; exit 2 ;;
esac
cmake --build --preset release --target startup_probe bare_window "$(basename "$exe")" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() { # label, then probe arguments and program; prints the probe's line
  "$build/bench/startup_probe" "$@"
}

median() { sort -n | awk '{v[NR]=$1} END {print (NR%2 ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2)}'; }
field() { sed -E "s/.*$1=([-0-9.]+).*/\1/"; }

: >"$work/game.txt"; : >"$work/bare.txt"
for run in $(seq 0 "$runs"); do
  # A fresh folder each time: the game starts as on a first run, with no files beside it.
  rm -rf "$work/game"; mkdir "$work/game"; cp "$exe" "$work/game/"
  g=$(measure "${probe_args[@]}" -- "$work/game/$(basename "$exe")")
  b=$(measure --title "Bare Qt window" --colour 000000 -- "$build/bench/bare_window")
  if [ "$run" -gt 0 ]; then echo "$g" >>"$work/game.txt"; echo "$b" >>"$work/bare.txt"; fi
done

report() { # name file
  local map paint rss
  map=$(field map_ms <"$2" | median); paint=$(field paint_ms <"$2" | median); rss=$(field rss_kb <"$2" | median)
  printf '%-12s mapped %7.1f ms   painted %7.1f ms   resident %6.1f MB\n' "$1" "$map" "$paint" "$(awk -v r="$rss" 'BEGIN{print r/1024}')"
}
echo "median of $runs runs after a warm-up:"
report "$game" "$work/game.txt"
report "bare Qt" "$work/bare.txt"
g=$(field paint_ms <"$work/game.txt" | median); b=$(field paint_ms <"$work/bare.txt" | median)
printf 'ratio (painted): %.2f\n' "$(awk -v g="$g" -v b="$b" 'BEGIN{print g/b}')"
