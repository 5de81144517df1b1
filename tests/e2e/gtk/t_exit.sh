# Every way out ends the program with exit code 0: Ctrl+X, Game > Exit, the close box (the close
# request a window manager sends) and Alt+F4, in the middle of a game as before one.

test_exit_every_way_ends_with_code_0() {
  local way
  for way in ctrl+x menu closebox alt+F4 ctrl+x-in-game closebox-in-game; do
    start_game || return 1
    case "$way" in
      *-in-game)
        key ctrl+e
        sleep 0.5 ;;
    esac
    case "$way" in
      ctrl+x*) key ctrl+x ;;
      menu) key alt+g x ;;
      closebox*) "$XCLOSE" "$GAME_WID" ;;
      alt+F4) key alt+F4 ;;
    esac
    ends_with_0 "$way" || return 1
    window_not_shown "$MAIN_TITLE" || { echo "'$way': the window is still shown"; return 1; }
    if grep -q -e CRITICAL -e WARNING "$GAME_OUT"; then
      echo "'$way': the toolkit complained: $(head -c 400 "$GAME_OUT")"
      return 1
    fi
  done
  return 0
}

# While the About box is up the main window is disabled: its close box does nothing. Once the
# box is gone, Ctrl+X ends the program.
test_exit_main_close_box_ignored_under_the_about_box() {
  start_game || return 1
  key alt+h a
  wait_until 5 window_shown "$ABOUT_TITLE" || { echo "no About box"; return 1; }
  local about
  about=$(find_window "$ABOUT_TITLE")
  "$XCLOSE" "$GAME_WID"
  sleep 0.5
  game_alive || { echo "the program ended"; return 1; }
  window_shown "$ABOUT_TITLE" || { echo "the About box went"; return 1; }
  focus "$about"
  key Return
  wait_until 5 window_not_shown "$ABOUT_TITLE" || { echo "Enter did not close the box"; return 1; }
  focus "$GAME_WID"
  key ctrl+x
  ends_with_0 || return 1
}
