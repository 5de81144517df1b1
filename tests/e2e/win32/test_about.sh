#!/usr/bin/env bash
# The About box: "&Help" > "&About..." opens it modally (its caption, its texts, the main window
# disabled, centred over the main window's client area); the game goes on behind it; Enter, Esc,
# the close box and Alt+F4 each close it, and it opens again fresh each time.
set -u
. "$(dirname "$0")/lib.sh"

if ! game_start_focused "$GAME_EXE"; then
  fail "the main window appears and takes the focus"
  exit 1
fi
main_x=$CL_X main_y=$CL_Y
xdotool key ctrl+e

# about_shown WHY: checks the box that has just been opened; sets ABOUT_* to its geometry.
about_shown() {
  local why=$1
  if ! window_info "$ABOUT_CAPTION" 10; then
    fail "$why opens the About box with the caption \"$ABOUT_CAPTION\""
    return 1
  fi
  pass "$why opens the About box with the caption \"$ABOUT_CAPTION\""
  ABOUT_X=$WIN_X ABOUT_Y=$WIN_Y ABOUT_W=$WIN_W ABOUT_H=$WIN_H
  local children
  children=$(probe children "$ABOUT_CAPTION")
  note "$(echo "$children" | tr '\n' ';')"
  has_texts() {
    echo "$children" | grep -qx '101 Button OK' &&
      echo "$children" | grep -qx '104 Static VANTOREL_KV.EXE (ver 0.63)' &&
      echo "$children" | grep -q '^102 Static' &&
      echo "$children" | grep -q '^103 Static .'
  }
  check "the box shows its button \"OK\", its icon, \"VANTOREL_KV.EXE (ver 0.63)\" and the presenter line ($why)" has_texts
  window_info "$MAIN_CAPTION" 5
  check "the main window is disabled while the box is shown ($why)" [ "$WIN_ENABLED" = 0 ]
  return 0
}

about_gone() { probe gone "$ABOUT_CAPTION" "${1:-5}" >/dev/null; }

main_active_again() {
  window_info "$MAIN_CAPTION" 5 && [ "$WIN_ENABLED" = 1 ] && [ "$WIN_FOREGROUND" = 1 ]
}

# 1. With the mouse: the "&Game" title, Right to the "&Help" popup, a click on "&About...".
xdotool mousemove $((main_x + 15)) $((main_y - 9)) click 1
if probe popup 5 >/dev/null; then
  xdotool key Right
  sleep 0.3
  popup=$(probe popup 5)
  set -- $popup
  [ $# -eq 4 ] && xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 / 2)) click 1
fi
if about_shown "\"&Help\" > \"&About...\" with the mouse"; then
  # Centred over the client area of the main window (well inside the work area here).
  expect_x=$((main_x + (480 - ABOUT_W) / 2))
  expect_y=$((main_y + (336 - ABOUT_H) / 2))
  note "box at $ABOUT_X,$ABOUT_Y size ${ABOUT_W}x$ABOUT_H, centred would be $expect_x,$expect_y"
  check "the box is centred over the main window's client area" [ "$ABOUT_X" = "$expect_x" ] && [ "$ABOUT_Y" = "$expect_y" ]

  # The game goes on behind the box: the main window's visible pixels keep changing.
  CL_X=$main_x CL_Y=$main_y CL_W=480 CL_H=336
  hide_box() {
    convert "$1" -fill black -draw "rectangle $((ABOUT_X - main_x)),$((ABOUT_Y - main_y)) $((ABOUT_X - main_x + ABOUT_W - 1)),$((ABOUT_Y - main_y + ABOUT_H - 1))" -type TrueColor "$2"
  }
  shot_client "$E2E_TMP/behind0.png" && hide_box "$E2E_TMP/behind0.png" "$E2E_TMP/behind0m.png"
  behind_changed() {
    shot_client "$E2E_TMP/behind1.png" && hide_box "$E2E_TMP/behind1.png" "$E2E_TMP/behind1m.png" &&
      ! same_picture "$E2E_TMP/behind0m.png" "$E2E_TMP/behind1m.png"
  }
  check "the game goes on behind the box (the main window keeps changing)" poll 8 behind_changed
  check "the box is still shown meanwhile" probe info "$ABOUT_CAPTION" >/dev/null

  xdotool key Return
  check "Enter closes the box" about_gone
  check "the main window is enabled and active again" poll 3 main_active_again
fi

# 2. Alt+H, A; closed with Esc.
xdotool key alt+h
sleep 0.3
xdotool key a
if about_shown "Alt+H, A (second showing)"; then
  xdotool key Escape
  check "Esc closes the box" about_gone
fi

# 3. Again; closed with the close box of its caption.
xdotool key alt+h
sleep 0.3
xdotool key a
if about_shown "Alt+H, A (third showing)"; then
  read -r cy_caption _ cx_frame cy_frame cx_size _ <<<"$(probe metrics)"
  xdotool mousemove $((ABOUT_X + ABOUT_W - cx_frame - 2 - cx_size / 2)) $((ABOUT_Y + cy_frame + cy_caption / 2)) click 1
  check "the close box closes the box" about_gone
fi

# 4. Again; closed with Alt+F4, which closes only the box.
xdotool key alt+h
sleep 0.3
xdotool key a
if about_shown "Alt+H, A (fourth showing)"; then
  xdotool key alt+F4
  check "Alt+F4 closes the box" about_gone
  sleep 0.5
  check "the program is still running after the box closed" game_running
fi

poll 3 main_active_again
xdotool key ctrl+x
status=$(game_wait_exit 15)
check "Ctrl+X after the About box ends the program with exit code 0" [ "$status" = 0 ]
game_stop
exit $E2E_FAILED
