#!/usr/bin/env bash
# A main window that cannot be made: VANTOREL_KV_NOWINDOW.EXE is the program with the main
# window's dialog template filed under another id. It ends at once with exit code -1 (255 as
# Wine's exit status) without showing a window.
set -u
. "$(dirname "$0")/lib.sh"

game_start "$NOWINDOW_EXE"
status=$(game_wait_exit 30)
check "a main window that cannot be made ends the program with exit code -1" [ "$status" = 255 ]
check "no main window was left behind" probe gone "$MAIN_CAPTION" 1
# The regular program in the same prefix still starts: the failure was the missing template.
game_start "$GAME_EXE"
check "the regular program shows its main window in the same prefix" window_info "$MAIN_CAPTION" 30
focus_main && xdotool key ctrl+x
game_wait_exit 15 >/dev/null
game_stop
exit $E2E_FAILED
