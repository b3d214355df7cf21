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
