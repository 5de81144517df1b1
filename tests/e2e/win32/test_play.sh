#!/usr/bin/env bash
# Playing: Ctrl+E starts an Easy game whose first piece appears at the spawn cell and falls; a
# held D moves it right one column a tick until the wall stops it in column 6; Ctrl+H starts a
# Hard game whose 36 stones sink to rows 11 to 16, and which, left alone, ends with the GAME OVER
# banner drawn through the mask and the words.
set -u
. "$(dirname "$0")/lib.sh"

if ! game_start_focused "$GAME_EXE"; then
  fail "the main window appears and takes the focus"
  exit 1
fi

xdotool key ctrl+e
piece_at_spawn() { [ "$(piece_rect)" = "200 16 40 16" ]; }
check "Ctrl+E starts a game: a piece appears at the spawn cell (200, 16)" poll 5 piece_at_spawn

# Level 1 lowers the piece by one half-row (8 pixels) every 41 ticks.
piece_lower() {
  local r
  r=$(piece_rect)
  set -- $r
  [ $# -eq 4 ] && [ "$1" = 200 ] && [ "$2" -gt 16 ]
}
check "the piece falls" poll 6 piece_lower
note "piece at $(piece_rect)"

# D held: one column a tick to the right, then the wall beside column 6 stops it (x 320).
xdotool keydown d
piece_in_column_6() {
  local r
  r=$(piece_rect)
  set -- $r
  [ $# -eq 4 ] && [ "$1" = 320 ] && [ "$3" = 40 ]
}
poll 3 piece_in_column_6
held=$?
sleep 0.5
# Still there after more ticks with the key held: column 6 is the last.
piece_in_column_6
still=$?
xdotool keyup d
note "piece at $(piece_rect) after holding D"
check "a held D moves the piece right to column 6 (x 320) and no further" [ $held -eq 0 ] && [ $still -eq 0 ]

# Ctrl+H: the stones of rows 2 to 7 sink row by row to rows 11 to 16 (y 144 to 239 at tilt 0).
tile_picture 7 "$E2E_TMP/stone.png"
convert -size 240x96 tile:"$E2E_TMP/stone.png" -type TrueColor "$E2E_TMP/stones.png"
stones_settled() {
  shot_rect "$E2E_TMP/bottom.png" 120 144 240 96 && same_picture "$E2E_TMP/stones.png" "$E2E_TMP/bottom.png"
}
xdotool key ctrl+h
check "Ctrl+H starts a Hard game whose stones settle in rows 11 to 16" poll 5 stones_settled

# Left alone, the pieces pile up in the spawn column and the Hard game soon ends. The banner is
# drawn slice by slice with the mask (SRCAND) and then the words (SRCPAINT): where the mask is
# black the screen must show the words' pixel, white letters with a black outline, whatever the
# board showed there; where it is white the board stays.
convert "$RES_DIR/banner.bmp" -crop 240x23+0+0 +repage -type TrueColor "$E2E_TMP/banner-image.png"
convert "$RES_DIR/banner.bmp" -crop 240x23+0+23 +repage -type TrueColor "$E2E_TMP/banner-mask.png"
banner_complete() {
  shot_rect "$E2E_TMP/banner-screen.png" 120 106 240 23 &&
    convert "$E2E_TMP/banner-screen.png" "$E2E_TMP/banner-mask.png" -compose Multiply -composite \
      "$E2E_TMP/banner-image.png" -compose Lighten -composite -type TrueColor "$E2E_TMP/banner-expected.png" &&
    same_picture "$E2E_TMP/banner-expected.png" "$E2E_TMP/banner-screen.png"
}
check "the Hard game ends with GAME OVER in white with a black outline over the well" poll 60 banner_complete
# The first four steps address columns left of the banner sheet: nothing outside the sheet is
# read, so the wall left of the well (x 40..119) still shows the background picture.
convert "$RES_DIR/background.bmp" -crop 80x23+40+106 +repage -type TrueColor "$E2E_TMP/left-wall.png"
left_wall_untouched() {
  shot_rect "$E2E_TMP/left-screen.png" 40 106 80 23 && same_picture "$E2E_TMP/left-wall.png" "$E2E_TMP/left-screen.png"
}
check "the banner's first steps leave the wall left of the well untouched" left_wall_untouched
board_still() {
  shot_client "$E2E_TMP/over1.png" && sleep 1 && shot_client "$E2E_TMP/over2.png" &&
    same_picture "$E2E_TMP/over1.png" "$E2E_TMP/over2.png"
}
check "after GAME OVER nothing moves any more (the game stopped its timer)" board_still

xdotool key ctrl+x
status=$(game_wait_exit 15)
check "Ctrl+X after a finished game ends the program with exit code 0" [ "$status" = 0 ]
game_stop
exit $E2E_FAILED
