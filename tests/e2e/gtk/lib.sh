# Helpers of the end-to-end tests of the GTK program: starting it on the test display, waiting,
# real X input through xdotool, screenshots and picture comparisons through ImageMagick.
# Sourced by run.sh, which sets BUILD, WORK, DISPLAY and XCLOSE.

MAIN_TITLE='The Vantorel  -KESTRAVO edition-'
ABOUT_TITLE='About The Vantorel -KESTRAVO edition-'
CLIENT_W=480
CLIENT_H=336

GAME_PID=""
GAME_WID=""
GAME_OUT=""

# wait_until TIMEOUT-SECONDS COMMAND...: polls the command every 50 ms until it succeeds.
wait_until() {
  local timeout=$1
  shift
  local deadline=$((SECONDS + timeout))
  while ! "$@" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      "$@" 2>/dev/null
      return
    fi
    sleep 0.05
  done
}

game_alive() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }
game_gone() { ! game_alive; }

# The id of the visible window with exactly this title, if there is one.
find_window() {
  local id
  id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$id" ] || return 1
  echo "$id"
}
window_shown() { find_window "$1" >/dev/null; }
window_not_shown() { ! window_shown "$1"; }
shown_or_ended() { window_shown "$MAIN_TITLE" || game_gone; }

# start_game [ENV=VALUE...] [-- ARGS...]: starts the program and waits for its main window,
# which gets the keyboard. Sets GAME_PID, GAME_WID and GAME_OUT (its output). GAME_PROGRAM names
# another executable than the build's, GAME_DIR the directory to start it in.
start_game() {
  local envs=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do envs+=("$1"); shift; done
  [ "${1:-}" = "--" ] && shift
  GAME_OUT=$(mktemp "$WORK/game.XXXXXX")
  (cd "${GAME_DIR:-$WORK}" &&
    exec env NO_AT_BRIDGE=1 "${envs[@]}" "${GAME_PROGRAM:-$BUILD/bin/vantorel}" "$@") \
    >"$GAME_OUT" 2>&1 &
  GAME_PID=$!
  if ! wait_until 15 shown_or_ended; then
    echo "the main window did not appear; output: $(head -c 600 "$GAME_OUT")"
    stop_game
    return 1
  fi
  if game_gone; then
    wait_exit 1
    echo "the program ended with status $GAME_STATUS before its window appeared;" \
      "output: $(head -c 600 "$GAME_OUT")"
    return 1
  fi
  GAME_WID=$(find_window "$MAIN_TITLE")
  focus "$GAME_WID"
  # The first frame is drawn once the window is mapped and exposed.
  sleep 0.3
}

# stop_game: ends a game that is still running (a test that failed half-way).
stop_game() {
  if game_alive; then
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  GAME_PID=""
  GAME_WID=""
}

# wait_exit TIMEOUT: waits for the game to end and sets GAME_STATUS to its exit status
# ("running" when it did not end in time).
wait_exit() {
  GAME_STATUS=running
  wait_until "$1" game_gone || return 1
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=""
}

# ends_with_0 [WHAT]: waits for the game to end and fails unless its exit status is 0; WHAT
# says what ended it in the message.
ends_with_0() {
  wait_exit 10
  [ "$GAME_STATUS" = 0 ] || { echo "exit status $GAME_STATUS${1:+ ($1)}"; return 1; }
}

focus() { xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"; }

key() { xdotool key --clearmodifiers --delay 30 "$@"; }
keydown() { xdotool keydown "$1"; }
keyup() { xdotool keyup "$1"; }

# window_geometry ID: prints "X Y WIDTH HEIGHT" of the window on the screen.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                           /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print x, y, w, h}'
}

# The client area lies at the bottom of the main window, under the menu bar.
# client_origin ID [SCALE]: prints "X Y" of the client area on the screen.
client_origin() {
  local scale=${2:-1}
  local x y w h
  read -r x y w h < <(window_geometry "$1")
  echo "$x $((y + h - CLIENT_H * scale))"
}

# shot_client FILE [SCALE]: the main window's client area as a picture.
shot_client() {
  local scale=${2:-1}
  local x y
  read -r x y < <(client_origin "$GAME_WID" "$scale")
  shot_rect "$1" "$x" "$y" $((CLIENT_W * scale)) $((CLIENT_H * scale))
}

# shot_rect FILE X Y W H: a rectangle of the screen.
shot_rect() {
  import -silent -window root -crop "$4x$5+$2+$3" +repage "PPM:$1"
}

# differing_pixels A B: the number of pixels in which two pictures differ.
differing_pixels() {
  compare -metric AE "$1" "$2" null: 2>&1 >/dev/null | awk '{print int($1)}'
}

# crop_to FILE X Y W H OUT
crop_to() { convert "$1" -crop "$4x$5+$2+$3" +repage "PPM:$6"; }

# same_region A B X Y W H: whether two pictures agree in a rectangle.
same_region() {
  crop_to "$1" "$3" "$4" "$5" "$6" "$WORK/ra.ppm"
  crop_to "$2" "$3" "$4" "$5" "$6" "$WORK/rb.ppm"
  [ "$(differing_pixels "$WORK/ra.ppm" "$WORK/rb.ppm")" = 0 ]
}
differ_region() { ! same_region "$@"; }

# The previews of the coming pieces show random pieces: they are left out of comparisons with
# a frame of another run.
mask_previews() { convert "$1" -fill black -draw "rectangle 400,32 452,57" "PPM:$2"; }

# headless_frame OUT: the start-up frame as the headless program draws it (a paint, then a shot).
headless_frame() {
  printf '0 paint\n0 shot %s\n' "$1" >"$WORK/frame.trace"
  "$BUILD/bin/vantorel-trace" --seed 1 --script "$WORK/frame.trace" >/dev/null
}

# The falling piece at column c and half-row h, as "X Y W H" in the client area.
piece_rect() { echo "$((80 + 40 * $1)) $((8 * $2 - 32)) 40 16"; }
# The weight read-out of column c.
weight_rect() { echo "$((80 + 40 * $1)) 297 20 12"; }
SCORE_RECT="380 161 80 12"

# poll_client TIMEOUT PREDICATE...: takes client shots into $WORK/now.ppm until the predicate,
# which looks at that file, holds.
shot_and_check() {
  shot_client "$WORK/now.ppm"
  "$@"
}
poll_client() {
  local timeout=$1
  shift
  wait_until "$timeout" shot_and_check "$@"
}
