#!/usr/bin/env bash
# Start-up: the main window's caption, its client area of 480 x 336 pixels showing the board of a
# fresh game exactly as the headless program draws it (the previews aside, which come from the
# calendar clock), and nothing moving until a game is started. The program is started with
# command-line arguments, which it ignores.
set -u
. "$(dirname "$0")/lib.sh"

# The reference: the first frame of a fresh game, painted by the trace runner's headless window.
script="$E2E_TMP/fresh.script"
printf '0 paint\n0 shot %s\n' "$E2E_TMP/fresh.ppm" >"$script"
if ! "$TRACE_BIN" --seed 1 --ticks 0 --script "$script" >"$E2E_TMP/fresh.trace" 2>&1 || [ ! -f "$E2E_TMP/fresh.ppm" ]; then
  note "vantorel-trace could not draw the reference frame:"
  sed 's/^/    /' "$E2E_TMP/fresh.trace" >&2
fi
# The preview area (x 400..452, y 32..57) shows pieces drawn from the clock: masked in both.
mask_previews() { convert "$1" -fill black -draw "rectangle 400,32 452,57" -type TrueColor "$2"; }
[ -f "$E2E_TMP/fresh.ppm" ] && mask_previews "$E2E_TMP/fresh.ppm" "$E2E_TMP/fresh.png"

game_start "$GAME_EXE" --no-such-option /x 7
check "the main window appears with the caption \"$MAIN_CAPTION\"" window_info "$MAIN_CAPTION" 30
note "window ${WIN_W:-?}x${WIN_H:-?}+${WIN_X:-?}+${WIN_Y:-?}, client ${CL_W:-?}x${CL_H:-?}+${CL_X:-?}+${CL_Y:-?}"
check "the client area is 480 x 336 pixels" [ "${CL_W:-0}" = 480 ] && [ "${CL_H:-0}" = 336 ]

matches_fresh_board() {
  shot_client "$E2E_TMP/start.png" && mask_previews "$E2E_TMP/start.png" "$E2E_TMP/start-masked.png" &&
    same_picture "$E2E_TMP/fresh.png" "$E2E_TMP/start-masked.png"
}
if [ -f "$E2E_TMP/fresh.png" ] && [ "${CL_W:-0}" = 480 ]; then
  if poll 10 matches_fresh_board; then
    pass "the client area equals the headless frame of a fresh game outside the previews"
  else
    note "$(pixels_differing "$E2E_TMP/fresh.png" "$E2E_TMP/start-masked.png") pixels differ"
    cp "$E2E_TMP/start.png" "${E2E_KEEP:-$E2E_TMP}/startup-actual.png" 2>/dev/null
    fail "the client area equals the headless frame of a fresh game outside the previews"
  fi
else
  fail "the client area equals the headless frame of a fresh game outside the previews (no reference or no window)"
fi

nothing_moves() {
  shot_client "$E2E_TMP/still1.png" && sleep 1 && shot_client "$E2E_TMP/still2.png" &&
    same_picture "$E2E_TMP/still1.png" "$E2E_TMP/still2.png"
}
check "nothing moves before a game is started (two pictures a second apart are equal)" nothing_moves

focus_main && xdotool key ctrl+x
status=$(game_wait_exit 15)
check "Ctrl+X after start-up ends the program with exit code 0" [ "$status" = 0 ]
game_stop
exit $E2E_FAILED
