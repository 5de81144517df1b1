#!/usr/bin/env bash
# Ending: Ctrl+X, "E&xit" chosen with the mouse, "E&xit" through Alt+G, X, Alt+F4 and the close
# box each end the program with exit code 0, during a running game. (Wine's exit status is the
# program's exit code.)
set -u
. "$(dirname "$0")/lib.sh"

read -r cy_caption cy_menu cx_frame cy_frame cx_size _ <<<"$(probe metrics)"

exit_by() {
  case $1 in
    ctrl-x) xdotool key ctrl+x ;;
    menu-mouse)
      # The "&Game" title, then the last item of its popup, "E&xit".
      xdotool mousemove $((CL_X + 15)) $((CL_Y - cy_menu / 2)) click 1
      local popup
      popup=$(probe popup 5) || return 1
      set -- $popup
      xdotool mousemove $(($1 + $3 / 2)) $(($2 + $4 - cy_frame - 7)) click 1
      ;;
    alt-g-x)
      xdotool key alt+g
      probe popup 5 >/dev/null || return 1
      xdotool key x
      ;;
    alt-f4) xdotool key alt+F4 ;;
    close-box)
      xdotool mousemove $((WIN_X + WIN_W - cx_frame - 2 - cx_size / 2)) $((WIN_Y + cy_frame + cy_caption / 2)) click 1
      ;;
  esac
}

for way in ctrl-x menu-mouse alt-g-x alt-f4 close-box; do
  case $way in
    ctrl-x) what="Ctrl+X" ;;
    menu-mouse) what="\"&Game\" > \"E&xit\" with the mouse" ;;
    alt-g-x) what="Alt+G, X (\"E&xit\" from the keyboard)" ;;
    alt-f4) what="Alt+F4" ;;
    close-box) what="the close box" ;;
  esac
  if ! game_start_focused "$GAME_EXE"; then
    fail "$what: the main window appears and takes the focus"
    continue
  fi
  # A game runs while the window goes: no tick may reach it afterwards.
  xdotool key ctrl+e
  sleep 0.5
  exit_by "$way"
  status=$(game_wait_exit 15)
  if [ "$status" = 0 ] && ! probe info "$MAIN_CAPTION" >/dev/null; then
    pass "$what ends the program with exit code 0"
  else
    note "exit status: ${status:-still running}"
    fail "$what ends the program with exit code 0"
  fi
  game_stop
done
exit $E2E_FAILED
