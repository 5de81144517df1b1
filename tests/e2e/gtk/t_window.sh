# The main window: its frame, its size, the start-up picture, and what starts it or keeps it from
# starting.

# The start-up frame is the headless program's start-up frame after a paint, pixel for pixel,
# apart from the previews, which show the random first pieces. The window has the template's
# caption and a client area of 480 x 336 under the menu bar.
test_window_startup_frame_and_geometry() {
  start_game || return 1
  local title
  title=$(xdotool getwindowname "$GAME_WID")
  [ "$title" = "$MAIN_TITLE" ] || { echo "caption '$title'"; return 1; }
  local x y w h
  read -r x y w h < <(window_geometry "$GAME_WID")
  [ "$w" = "$CLIENT_W" ] || { echo "window width $w, not $CLIENT_W"; return 1; }
  local menu=$((h - CLIENT_H))
  [ "$menu" -ge 10 ] && [ "$menu" -le 80 ] || { echo "menu bar height $menu"; return 1; }

  headless_frame "$WORK/headless.ppm" || { echo "vantorel-trace failed"; return 1; }
  mask_previews "$WORK/headless.ppm" "$WORK/expected.ppm"
  shot_client "$WORK/shot.ppm"
  mask_previews "$WORK/shot.ppm" "$WORK/actual.ppm"
  local differ
  differ=$(differing_pixels "$WORK/expected.ppm" "$WORK/actual.ppm")
  [ "$differ" = 0 ] || { echo "start-up frame differs from the headless one in $differ pixels"; return 1; }

  # Above the client area lies the menu bar, not the game's picture.
  read -r x y w h < <(window_geometry "$GAME_WID")
  shot_rect "$WORK/menubar.ppm" "$x" "$y" "$CLIENT_W" "$menu"
  crop_to "$WORK/headless.ppm" 0 0 "$CLIENT_W" "$menu" "$WORK/top.ppm"
  [ "$(differing_pixels "$WORK/menubar.ppm" "$WORK/top.ppm")" != 0 ] ||
    { echo "no menu bar above the client area"; return 1; }
}

# Not resizable (minimum and maximum size are the same), and the frame asks the window manager
# for a caption, a system menu and a close box but no minimise or maximise box.
test_window_fixed_frame_hints() {
  start_game || return 1
  local hints
  hints=$(xprop -id "$GAME_WID" WM_NORMAL_HINTS)
  local min max
  min=$(printf '%s\n' "$hints" | sed -n 's/.*minimum size: *\([0-9]* by [0-9]*\).*/\1/p')
  max=$(printf '%s\n' "$hints" | sed -n 's/.*maximum size: *\([0-9]* by [0-9]*\).*/\1/p')
  [ -n "$min" ] && [ "$min" = "$max" ] || { echo "resizable: $hints"; return 1; }
  case "$min" in "480 by "*) ;; *) echo "size hints $min"; return 1 ;; esac
  # _MOTIF_WM_HINTS = flags, functions, decorations, ...: functions move (4) and close (32);
  # decorations border (2), title (8) and menu (16).
  local motif
  motif=$(xprop -id "$GAME_WID" _MOTIF_WM_HINTS | sed 's/.*= *//')
  local functions decorations
  functions=$(echo "$motif" | awk -F', *' '{print $2}')
  decorations=$(echo "$motif" | awk -F', *' '{print $3}')
  [ $((functions)) = 36 ] || { echo "window functions $functions ($motif)"; return 1; }
  [ $((decorations)) = 26 ] || { echo "decorations $decorations ($motif)"; return 1; }
  # The icon of the window is set (icon group 101, 32 x 32).
  xprop -id "$GAME_WID" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || { echo "no 32 x 32 icon"; return 1; }
}

# After start-up nothing moves until a game is started.
test_window_still_until_a_game_starts() {
  start_game || return 1
  shot_client "$WORK/a.ppm"
  sleep 1.5
  shot_client "$WORK/b.ppm"
  local differ
  differ=$(differing_pixels "$WORK/a.ppm" "$WORK/b.ppm")
  [ "$differ" = 0 ] || { echo "the frame changed by $differ pixels without a game"; return 1; }
}

# On a screen scaled by 2 the window doubles, and every frame pixel becomes 2 x 2 screen pixels.
test_window_hidpi_scale_2() {
  start_game GDK_SCALE=2 || return 1
  local x y w h
  read -r x y w h < <(window_geometry "$GAME_WID")
  [ "$w" = $((2 * CLIENT_W)) ] || { echo "window width $w at scale 2"; return 1; }
  shot_client "$WORK/big.ppm" 2
  headless_frame "$WORK/headless.ppm" || return 1
  # Each frame pixel repeated into a 2 x 2 block, the previews left out.
  local previews="rectangle 800,64 905,115"
  convert "$WORK/headless.ppm" -sample 200% -fill black -draw "$previews" "PPM:$WORK/expected.ppm"
  convert "$WORK/big.ppm" -fill black -draw "$previews" "PPM:$WORK/actual.ppm"
  local differ
  differ=$(differing_pixels "$WORK/expected.ppm" "$WORK/actual.ppm")
  [ "$differ" = 0 ] || { echo "the scaled frame differs in $differ pixels"; return 1; }
}

# Without a display the window cannot be made: the program ends at once with exit code -1.
test_window_no_display_exits_minus_one() {
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY NO_AT_BRIDGE=1 timeout 20 "$BUILD/bin/vantorel" \
    >"$WORK/nodisplay.out" 2>&1 || status=$?
  [ "$status" = 255 ] || { echo "exit status $status, not 255 (-1)"; return 1; }
}

# The command line has no effect, not even on GTK: the window shows on $DISPLAY.
test_window_command_line_ignored() {
  start_game -- --display=:12345 --help -v junk || return 1
  key ctrl+x
  ends_with_0 || return 1
}

# A lost display ends the program as a quit would: with exit code 0.
test_window_display_lost_exits_0() {
  local lost=""
  local n
  for n in $(seq 200 250); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then lost=":$n"; break; fi
  done
  # -noreset: without it the server resets whenever its last client leaves, and the probes
  # below (each connects and leaves) could have it reset under the program as it connects.
  Xvfb "$lost" -screen 0 800x600x24 -nolisten tcp -noreset >"$WORK/xvfb-lost.log" 2>&1 &
  local server=$!
  DISPLAY=$lost wait_until 10 xdotool getdisplaygeometry || { kill $server; echo "no second display"; return 1; }
  DISPLAY=$lost start_game || { kill $server; return 1; }
  DISPLAY=$lost key ctrl+e
  sleep 0.3
  kill $server
  wait $server 2>/dev/null
  ends_with_0 || return 1
}
