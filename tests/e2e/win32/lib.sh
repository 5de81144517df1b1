# Helpers of the Windows end-to-end tests, sourced by run.sh and by every test_*.sh.
# run.sh exports: E2E_TMP (scratch dir), DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES,
# GAME_EXE, NOWINDOW_EXE, PROBE_EXE, TRACE_BIN, RES_DIR.

MAIN_CAPTION="The Vantorel  -KESTRAVO edition-"
ABOUT_CAPTION="About The Vantorel -KESTRAVO edition-"

E2E_FAILED=0

pass() { echo "PASS $*"; }
fail() {
  echo "FAIL $*"
  E2E_FAILED=1
}
# check NAME COMMAND...: PASS when the command succeeds, FAIL otherwise.
check() {
  local name=$1
  shift
  if "$@"; then pass "$name"; else fail "$name"; fi
}
note() { echo "  $*" >&2; }

# The window probe, run in the same Wine session as the game (its output without CRs).
probe() {
  local out status
  out=$(wine "$PROBE_EXE" "$@" 2>/dev/null)
  status=$?
  printf '%s' "$out" | tr -d '\r'
  [ -n "$out" ] && echo
  return $status
}

# --- The game process ---------------------------------------------------------------------

GAME_DIR=""
# game_start EXE: starts the program under Wine in the background; its exit status (Wine's,
# which is the program's exit code modulo 256) lands in $GAME_DIR/exit.
game_start() {
  GAME_DIR=$(mktemp -d "$E2E_TMP/game.XXXXXX")
  (
    wine "$1" >"$GAME_DIR/out" 2>&1 &
    echo $! >"$GAME_DIR/pid"
    wait $!
    echo $? >"$GAME_DIR/exit.tmp"
    mv "$GAME_DIR/exit.tmp" "$GAME_DIR/exit"
  ) &
}

# game_wait_exit SECONDS: waits for the program to end; prints its exit status.
game_wait_exit() {
  local limit=$(($1 * 10)) i=0
  while [ ! -f "$GAME_DIR/exit" ]; do
    i=$((i + 1))
    [ $i -gt $limit ] && return 1
    sleep 0.1
  done
  cat "$GAME_DIR/exit"
}

game_running() { [ -n "$GAME_DIR" ] && [ ! -f "$GAME_DIR/exit" ]; }

# game_stop: ends a program that is still running (by its process id), then waits for it.
game_stop() {
  if game_running; then
    local pid
    pid=$(cat "$GAME_DIR/pid" 2>/dev/null)
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    game_wait_exit 10 >/dev/null
  fi
}

# --- Windows and geometry -----------------------------------------------------------------

# window_info CAPTION [SECONDS]: waits for the window and sets WIN_X WIN_Y WIN_W WIN_H
# (outer, screen) CL_X CL_Y CL_W CL_H (client, screen), WIN_ENABLED, WIN_FOREGROUND.
window_info() {
  local line
  line=$(probe wait "$1" "${2:-15}") || return 1
  # window L T W H client L T W H enabled E foreground F class C
  set -- $line
  WIN_X=$2 WIN_Y=$3 WIN_W=$4 WIN_H=$5
  CL_X=$7 CL_Y=$8 CL_W=$9 CL_H=${10}
  WIN_ENABLED=${12} WIN_FOREGROUND=${14}
}

# focus_main: waits for the main window, gives the Wine desktop the X input focus and clicks
# the main window's caption so that it is the active window; sets the geometry variables.
# Starts the program and gives its main window the focus; on failure the program is stopped
# again and the answer is 1.
game_start_focused() {
  game_start "$1"
  focus_main && return 0
  game_stop
  return 1
}

focus_main() {
  window_info "$MAIN_CAPTION" 20 || return 1
  local desktop
  desktop=$(xdotool search --name "Wine desktop" 2>/dev/null | head -1)
  [ -n "$desktop" ] && xdotool windowfocus "$desktop" 2>/dev/null
  xdotool mousemove $((WIN_X + WIN_W / 2)) $((WIN_Y + 10)) click 1
  local i
  for i in $(seq 1 50); do
    window_info "$MAIN_CAPTION" 1 || return 1
    [ "$WIN_FOREGROUND" = 1 ] && return 0
    sleep 0.1
  done
  return 1
}

# --- Pictures -----------------------------------------------------------------------------

# shot_client FILE: the main window's client area as a picture (CL_* must be set).
shot_client() {
  import -window root -crop "${CL_W}x${CL_H}+${CL_X}+${CL_Y}" +repage "$1"
}

# shot_rect FILE X Y W H: a rectangle of the client area.
shot_rect() {
  import -window root -crop "${4}x${5}+$((CL_X + $2))+$((CL_Y + $3))" +repage "$1"
}

# pixels_differing A B: the number of pixels in which two pictures differ.
pixels_differing() {
  local n
  n=$(compare -metric AE "$1" "$2" null: 2>&1)
  # ImageMagick prints the count (sometimes with a normalised value in brackets).
  echo "${n%% *}"
}

same_picture() { [ "$(pixels_differing "$1" "$2")" = 0 ]; }

# tile_picture N FILE: tile N of the tile sheet (res/tiles.bmp), 40 x 16.
tile_picture() {
  convert "$RES_DIR/tiles.bmp" -crop "40x16+0+$((16 * $1))" +repage -type TrueColor "$2"
}

# cell_shows TILE X Y: the client area at (X, Y) shows exactly that tile.
cell_shows() {
  local want="$E2E_TMP/tile$1.png" got
  [ -f "$want" ] || tile_picture "$1" "$want"
  got=$(mktemp "$E2E_TMP/cell.XXXXXX.png")
  shot_rect "$got" "$2" "$3" 40 16
  same_picture "$want" "$got"
}

# piece_rect: the bounding box "X Y W H" (client coordinates) of what is not black in the well
# above the pans (x 120..359, y 16..223), or nothing when it is all black. In an Easy game
# before the first landing that is exactly the falling piece.
piece_rect() {
  local well="$E2E_TMP/well.png" box
  shot_rect "$well" 120 16 240 208
  box=$(convert "$well" -format '%@' info: 2>/dev/null)
  # WxH+X+Y; an all-black picture trims to a 0x0 or 1x1 box at a negative or zero offset.
  case "$box" in
    0x0* | "") return 0 ;;
  esac
  local w=${box%%x*} rest=${box#*x}
  local h=${rest%%+*} x=${rest#*+}
  local y=${x#*+}
  x=${x%%+*}
  [ "$w" -le 1 ] && [ "$h" -le 1 ] && [ "$(convert "$well" -format '%[fx:maxima]' info:)" = 0 ] && return 0
  echo "$((120 + x)) $((16 + y)) $w $h"
}

# poll SECONDS COMMAND...: runs the command every 0.1 s until it succeeds or time runs out.
poll() {
  local limit=$(($1 * 10)) i=0
  shift
  until "$@"; do
    i=$((i + 1))
    [ $i -gt $limit ] && return 1
    sleep 0.1
  done
}
