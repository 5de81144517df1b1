# Keys: the accelerators and mnemonics of the menu, and the held steering keys.

# A started game spawns its first piece at column 3, half-row 6 within a tick or two.
piece_at_spawn() { differ_region "$WORK/start.ppm" "$WORK/now.ppm" $(piece_rect 3 6); }
hard_game_shown() {
  # Score 20000 and the stones sinking into the lower rows.
  differ_region "$WORK/start.ppm" "$WORK/now.ppm" $SCORE_RECT &&
    differ_region "$WORK/start.ppm" "$WORK/now.ppm" 120 208 240 16
}

# Ctrl+E and the menu path Game > Start > Easy (by its mnemonics) start a game; Ctrl+H and
# Game > Start > Hard start a hard one: score 20000 and a layer of stones.
test_keys_easy_and_hard_by_accelerator_and_menu() {
  local how
  for how in "ctrl+e:easy" "alt+g s e:easy" "ctrl+h:hard" "alt+g s h:hard"; do
    local keys=${how%%:*} kind=${how##*:}
    start_game || return 1
    shot_client "$WORK/start.ppm"
    # shellcheck disable=SC2086
    key $keys
    if [ "$kind" = easy ]; then
      poll_client 3 piece_at_spawn || { echo "'$keys' started no game"; return 1; }
      same_region "$WORK/start.ppm" "$WORK/now.ppm" $SCORE_RECT ||
        { echo "'$keys' changed the score"; return 1; }
    else
      poll_client 4 hard_game_shown || { echo "'$keys' started no hard game"; return 1; }
    fi
    key ctrl+x
    ends_with_0 "after '$keys'" || return 1
  done
}

# A held side key moves the piece one column per tick until the wall: D, S and keypad 6 to
# column 6 (x 320), A and keypad 4 to column 1 (x 120). Keypad 4 and 6 steer with NumLock off
# (KP_Left, KP_Right) and on (KP_4, KP_6) alike. The spawn column is background again.
# Each key gets a fresh window: a new game leaves an unweighed scale's old picture alone.
test_keys_held_side_keys_reach_the_wall() {
  local entry
  for entry in d:6 s:6 KP_Right:6 KP_6:6 a:1 KP_Left:1 KP_4:1; do
    local name=${entry%%:*} column=${entry##*:}
    start_game || return 1
    shot_client "$WORK/start.ppm"
    key ctrl+e
    poll_client 3 piece_at_spawn || { echo "no piece before '$name'"; return 1; }
    keydown "$name"
    piece_at_wall() {
      differ_region "$WORK/start.ppm" "$WORK/now.ppm" $(piece_rect "$column" 6) &&
        same_region "$WORK/start.ppm" "$WORK/now.ppm" $(piece_rect 3 6)
    }
    if ! poll_client 3 piece_at_wall; then
      keyup "$name"
      echo "a held '$name' did not take the piece to column $column"
      return 1
    fi
    keyup "$name"
    stop_game
  done
}

# A held drop key lowers the piece a half-row per tick: it lands in column 3 within about a
# second and a half, where without it the first descent alone takes two seconds. The landing
# shows in the weight read-out of column 3.
test_keys_held_drop_keys_land_the_piece() {
  local name
  for name in x z KP_Down KP_2; do
    start_game || return 1
    shot_client "$WORK/start.ppm"
    key ctrl+e
    poll_client 3 piece_at_spawn || { echo "no piece before '$name'"; return 1; }
    local held=$SECONDS
    keydown "$name"
    landed() { differ_region "$WORK/start.ppm" "$WORK/now.ppm" $(weight_rect 3); }
    if ! poll_client 4 landed; then
      keyup "$name"
      echo "a held '$name' did not land the piece"
      return 1
    fi
    keyup "$name"
    [ $((SECONDS - held)) -le 3 ] || { echo "'$name' took $((SECONDS - held)) s"; return 1; }
    stop_game
  done
}

# Arrow keys steer nothing: the piece stays in its column while Right is held.
test_keys_arrows_ignored() {
  start_game || return 1
  shot_client "$WORK/start.ppm"
  key ctrl+e
  poll_client 3 piece_at_spawn || { echo "no piece"; return 1; }
  keydown Right
  sleep 0.8
  shot_client "$WORK/now.ppm"
  keyup Right
  piece_at_spawn || { echo "the piece left column 3 with Right held"; return 1; }
  differ_region "$WORK/start.ppm" "$WORK/now.ppm" $(piece_rect 4 6) &&
    { echo "the piece moved right with the arrow key"; return 1; }
  return 0
}

# Keys count by their place on the keyboard, not by the letter the layout gives them. On a French
# (AZERTY) layout the key right of Tab types q but sits where A is: it steers left; the key that
# types a sits where Q is and does nothing. On Dvorak, Ctrl with the key in the E place (typing
# a full stop) starts a game.
test_keys_by_position_whatever_the_layout() {
  trap 'setxkbmap us' RETURN
  local entry
  for entry in "fr:q:1" "fr:a:3"; do
    local layout=${entry%%:*} rest=${entry#*:}
    local name=${rest%%:*} column=${rest##*:}
    setxkbmap "$layout" || { echo "setxkbmap $layout failed"; return 1; }
    start_game || return 1
    shot_client "$WORK/start.ppm"
    key ctrl+e
    poll_client 3 piece_at_spawn || { echo "no piece on layout $layout"; return 1; }
    keydown "$name"
    if [ "$column" = 3 ]; then
      sleep 0.6
      shot_client "$WORK/now.ppm"
      keyup "$name"
      piece_at_spawn || { echo "'$name' on $layout moved the piece"; return 1; }
    else
      piece_at_wall() {
        differ_region "$WORK/start.ppm" "$WORK/now.ppm" $(piece_rect "$column" 6) &&
          same_region "$WORK/start.ppm" "$WORK/now.ppm" $(piece_rect 3 6)
      }
      poll_client 3 piece_at_wall || { keyup "$name"; echo "'$name' on $layout did not steer left"; return 1; }
      keyup "$name"
    fi
    stop_game
  done
  setxkbmap us dvorak || { echo "setxkbmap dvorak failed"; return 1; }
  start_game || return 1
  shot_client "$WORK/start.ppm"
  key ctrl+period
  poll_client 3 piece_at_spawn || { echo "Ctrl with the key in the E place started no game on Dvorak"; return 1; }
}
