# The About box: Help > About... shows it modally over the main window; the game goes on behind
# it; OK (click, Enter, Esc, Space), its close box and Alt+F4 close it.

ABOUT_W=236  # 157 x 56 dialog units at 1.5 pixels each
ABOUT_H=84

# open_about: chooses Help > About... by its mnemonics and waits for the box; sets ABOUT_WID.
open_about() {
  key alt+h a
  if ! wait_until 5 window_shown "$ABOUT_TITLE"; then
    echo "no About box"
    return 1
  fi
  ABOUT_WID=$(find_window "$ABOUT_TITLE")
  focus "$ABOUT_WID"
}

# ink_width FILE X Y W H: the width of what is drawn on the face colour in a rectangle.
ink_width() {
  crop_to "$1" "$2" "$3" "$4" "$5" "$WORK/ink.ppm"
  convert "$WORK/ink.ppm" -bordercolor 'rgb(212,208,200)' -border 1 -fuzz 20% -trim \
    -format '%w' info: 2>/dev/null
}

# The box: its caption, owned by the main window, 236 x 84, centred over the main window's client
# area; the icon, the two text lines and the OK button in their places. A second showing looks
# the same as the first.
test_about_opens_centred_with_texts() {
  start_game || return 1
  open_about || return 1
  xprop -id "$ABOUT_WID" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$GAME_WID")" ||
    { echo "not owned by the main window: $(xprop -id "$ABOUT_WID" WM_TRANSIENT_FOR)"; return 1; }
  local x y w h cx cy
  read -r x y w h < <(window_geometry "$ABOUT_WID")
  [ "$w" = $ABOUT_W ] && [ "$h" = $ABOUT_H ] || { echo "About box ${w}x$h"; return 1; }
  read -r cx cy < <(client_origin "$GAME_WID")
  [ "$x" = $((cx + (CLIENT_W - ABOUT_W) / 2)) ] && [ "$y" = $((cy + (CLIENT_H - ABOUT_H) / 2)) ] ||
    { echo "About box at $x,$y; client area at $cx,$cy"; return 1; }
  sleep 0.2
  shot_rect "$WORK/about1.ppm" "$x" "$y" "$w" "$h"
  # Item 104 "VANTOREL_KV.EXE (ver 0.63)": 26 characters of 6 pixels at (52, 7); item 103, the
  # presenter line, below it at (52, 25); the icon (7, 7) 32 x 32; the text of the OK button in
  # (82, 52) 60 x 24.
  local first second icon button
  first=$(ink_width "$WORK/about1.ppm" 52 7 172 15)
  second=$(ink_width "$WORK/about1.ppm" 52 25 172 15)
  icon=$(ink_width "$WORK/about1.ppm" 7 7 32 32)
  button=$(ink_width "$WORK/about1.ppm" 82 52 60 24)
  [ "${first:-0}" -ge 140 ] && [ "${first:-0}" -le 172 ] || { echo "first line $first px wide"; return 1; }
  [ "${second:-0}" -ge 100 ] || { echo "second line $second px wide"; return 1; }
  [ "${icon:-0}" -ge 16 ] || { echo "icon $icon px wide"; return 1; }
  [ "${button:-0}" -ge 8 ] && [ "${button:-0}" -le 40 ] || { echo "button text $button px wide"; return 1; }
  key Return
  wait_until 5 window_not_shown "$ABOUT_TITLE" || { echo "Enter did not close it"; return 1; }
  focus "$GAME_WID"
  open_about || return 1
  sleep 0.2
  shot_rect "$WORK/about2.ppm" "$x" "$y" "$w" "$h"
  local differ
  differ=$(differing_pixels "$WORK/about1.ppm" "$WORK/about2.ppm")
  [ "$differ" = 0 ] || { echo "the second showing differs in $differ pixels"; return 1; }
}

# The timer keeps ticking behind the box, and a key held when it opened stays held for the game
# even though it is released while the box is up: a held X keeps dropping pieces, which land and
# are weighed behind the box. The main window takes no keys meanwhile: Ctrl+H starts nothing.
test_about_game_goes_on_and_keys_stay_held() {
  start_game || return 1
  shot_client "$WORK/start.ppm"
  key ctrl+e
  poll_client 3 piece_at_spawn || { echo "no piece"; return 1; }
  keydown x
  open_about || { keyup x; return 1; }
  keyup x
  focus "$GAME_WID"
  key ctrl+h
  focus "$ABOUT_WID"
  # Only the parts of the client area that the box leaves free are looked at.
  landed() { differ_region "$WORK/start.ppm" "$WORK/now.ppm" $(weight_rect 3); }
  poll_client 5 landed || { echo "no piece landed behind the box"; return 1; }
  same_region "$WORK/start.ppm" "$WORK/now.ppm" $SCORE_RECT ||
    { echo "Ctrl+H reached the disabled main window"; return 1; }
  # Pieces keep dropping: the read-outs go on changing.
  cp "$WORK/now.ppm" "$WORK/first-landing.ppm"
  changed_again() { differ_region "$WORK/first-landing.ppm" "$WORK/now.ppm" 200 297 60 12; }
  poll_client 5 changed_again || { echo "the held drop key was forgotten"; return 1; }
  key Escape
  wait_until 5 window_not_shown "$ABOUT_TITLE" || { echo "Esc did not close it"; return 1; }
}

# Every way of closing the box: a click on OK, Enter, Esc, Space on the focused OK button, Alt+F4
# and the close box. The program goes on each time, and the keyboard returns to the main window.
test_about_every_way_to_close() {
  start_game || return 1
  shot_client "$WORK/start.ppm"
  local way
  for way in click Return Escape space alt+F4 closebox; do
    focus "$GAME_WID"
    open_about || return 1
    case "$way" in
      click)
        local x y w h
        read -r x y w h < <(window_geometry "$ABOUT_WID")
        xdotool mousemove --sync $((x + 82 + 30)) $((y + 52 + 12)) click 1 ;;
      closebox) "$XCLOSE" "$ABOUT_WID" ;;
      *) key "$way" ;;
    esac
    wait_until 5 window_not_shown "$ABOUT_TITLE" || { echo "'$way' did not close the box"; return 1; }
    game_alive || { echo "the program ended after '$way'"; return 1; }
  done
  # No focus given by hand: the main window has the keyboard back.
  key ctrl+h
  poll_client 4 hard_game_shown || { echo "the main window did not get the keyboard back"; return 1; }
}
