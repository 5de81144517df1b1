#!/usr/bin/env bash
# Playing: Ctrl+E starts an Easy game whose first piece appears at the spawn cell and falls; a
# held D moves it right one column a tick until the wall stops it in column 6; Ctrl+H starts a
# Hard game whose 36 stones sink to rows 11 to 16.
set -u
. "$(dirname "$0")/lib.sh"

game_start "$GAME_EXE"
if ! focus_main; then
  fail "the main window appears and takes the focus"
  game_stop
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

xdotool key ctrl+x
status=$(game_wait_exit 15)
check "Ctrl+X during a Hard game ends the program with exit code 0" [ "$status" = 0 ]
game_stop
exit $E2E_FAILED
