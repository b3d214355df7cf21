# Shared steps of the colour-squares end-to-end tests (sourced after e2e_lib.sh, with xshot set).

pixel() { "$xshot" --pixel "$1" $2; }  # window "x y"

# The pause button's middle: the panel's dark red in the pause sign's gap while the game runs,
# blue in the play sign while it is paused.
pause_sign_gap="469 28"

# wait_paused <window> <seconds> <failure>: waits until the pause button shows the play sign.
wait_paused() {
  local deadline=$((SECONDS + $2))
  until [ "$(pixel "$1" "$pause_sign_gap")" = 0000FF ]; do
    [ $SECONDS -lt $deadline ] || fail "$3"
    sleep 0.1
  done
}

# expect_still <window> <failure>: the window shows the same picture before and after more
# than a field tick at the first speed (2.3 s).
expect_still() {
  "$xshot" "$1" "$E2E_WORK/still1.png"
  sleep 2.6
  "$xshot" "$1" "$E2E_WORK/still2.png"
  cmp -s "$E2E_WORK/still1.png" "$E2E_WORK/still2.png" || fail "$2"
}

# The window's pixels as "x y r g b" lines, one a pixel; awk picks what it needs from them.
# xshot writes a binary PPM (P6) for a name that ends in .ppm.
window_pixels() { # <file.ppm>
  local size header
  size=$(head -c 64 "$1" | tr '\n' ' ' | awk '{print $2}')
  header=$(head -c 64 "$1" | awk 'BEGIN{RS="\n"} NR<=3{n+=length($0)+1} END{print n}')
  od -An -v -tu1 -w3 -j "$header" "$1" | awk -v w="$size" '{i=NR-1; print i%w, int(i/w), $1, $2, $3}'
}

# field_codes <window>: the field's 200 colour codes as the screen shows them, row 0 first, 0
# for an empty cell. A cell is told by the pixel 15 right of and 8 below its top left corner:
# clear of the cursor's ring, the group's outline and the cell's word.
field_codes() {
  "$xshot" "$1" "$E2E_WORK/codes.ppm"
  window_pixels "$E2E_WORK/codes.ppm" | awk '
    BEGIN { code["255 0 0"] = 1; code["0 128 0"] = 2; code["0 0 255"] = 3; code["255 255 0"] = 4; code["128 0 128"] = 5 }
    ($1 - 17) % 30 == 0 && ($2 - 10) % 30 == 0 && $1 < 302 && $2 < 602 {
      cell[int(($2 - 10) / 30) * 10 + int(($1 - 17) / 30)] = ($3 " " $4 " " $5) in code ? code[$3 " " $4 " " $5] : 0
    }
    END { for (i = 0; i < 200; i++) printf "%d", cell[i]; print "" }'
}

# topmost_group <codes>: "row column size" of the topmost group of three or more joined squares
# (row 0 first, then column 0 first), or nothing.
topmost_group() {
  awk -v f="$1" 'BEGIN {
    for (i = 0; i < 200; i++) {
      code = substr(f, i + 1, 1)
      if (code == 0) continue
      delete seen; n = 0; top = 0; stack[top++] = i; seen[i] = 1
      while (top > 0) {
        j = stack[--top]; n++; r = int(j / 10); c = j % 10
        if (r > 0) next_cell(j - 10); if (r < 19) next_cell(j + 10)
        if (c > 0) next_cell(j - 1); if (c < 9) next_cell(j + 1)
      }
      if (n >= 3) { print int(i / 10), i % 10, n; exit }
    }
  }
  function next_cell(k) { if (!(k in seen) && substr(f, k + 1, 1) == code) { seen[k] = 1; stack[top++] = k } }'
}

# cursor_cell <window>: the cell the keyboard cursor stands on, -1 when it is hidden. The ring
# is black, white and black 3 to 5 pixels below the cell's top line.
cursor_cell() {
  "$xshot" "$1" "$E2E_WORK/cursor.ppm"
  window_pixels "$E2E_WORK/cursor.ppm" | awk '
    ($1 - 17) % 30 == 0 && $1 < 302 && $2 < 602 && ($2 - 2) % 30 >= 3 && ($2 - 2) % 30 <= 5 {
      cell = int(($2 - 2) / 30) * 10 + int(($1 - 17) / 30); d = ($2 - 2) % 30
      if (($3 " " $4 " " $5) == (d == 4 ? "255 255 255" : "0 0 0")) hits[cell]++
    }
    END { for (i = 0; i < 200; i++) if (hits[i] == 3) { print i; exit } print -1 }'
}

# window_shot <window> <file.ppm>
window_shot() { "$xshot" "$1" "$2"; }
# same_area <a.ppm> <b.ppm> <x> <y> <w> <h>: true when both pictures agree there.
same_area() {
  local area='$1 >= x && $1 < x + w && $2 >= y && $2 < y + h'
  cmp -s <(window_pixels "$1" | awk -v x="$3" -v y="$4" -v w="$5" -v h="$6" "$area") \
         <(window_pixels "$2" | awk -v x="$3" -v y="$4" -v w="$5" -v h="$6" "$area")
}

# The saved game of level 0, 1 or 2 in the program's data folder.
saved_game() { echo "$E2E_WORK/VumColor/VumColor$(($1 + 1)).sav"; }

# wait_group <window> <seconds>: waits until the field holds a group; prints "row column size"
# of the topmost one.
wait_group() {
  local deadline=$((SECONDS + $2)) found
  until found=$(topmost_group "$(field_codes "$1")") && [ -n "$found" ]; do
    [ $SECONDS -lt $deadline ] || fail "no group of three on the field within $2 s"
    sleep 0.3
  done
  echo "$found"
}
