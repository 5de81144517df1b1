# Installing: what `cmake --install` puts on a desktop, and the installed program on its own.

STAGE_PREFIX=/usr

stage_install() {
  rm -rf "$WORK/stage"
  DESTDIR="$WORK/stage" cmake --install "$BUILD" --prefix "$STAGE_PREFIX" --component game \
    >"$WORK/install.log" 2>&1 || { echo "cmake --install failed: $(tail -5 "$WORK/install.log")"; return 1; }
}

# The program, the desktop entry, the 32 x 32 icon and the AppStream metadata, each valid.
test_install_files_and_desktop_metadata() {
  stage_install || return 1
  local root="$WORK/stage$STAGE_PREFIX"
  local desktop="$root/share/applications/org.vantorel.Vantorel.desktop"
  local icon="$root/share/icons/hicolor/32x32/apps/vantorel.png"
  local metainfo="$root/share/metainfo/org.vantorel.Vantorel.metainfo.xml"
  local file
  for file in "$root/bin/vantorel" "$desktop" "$icon" "$metainfo"; do
    [ -s "$file" ] || { echo "not installed: ${file#"$WORK/stage"}"; return 1; }
  done
  [ -x "$root/bin/vantorel" ] || { echo "the program is not executable"; return 1; }
  [ "$(identify -format '%m %w %h' "$icon")" = "PNG 32 32" ] ||
    { echo "icon: $(identify "$icon")"; return 1; }
  # The icon is the file icon's picture, not an empty square.
  [ "$(convert "$icon" -alpha off -format '%k' info:)" -ge 3 ] || { echo "the icon has no picture"; return 1; }
  grep -qx 'Exec=vantorel' "$desktop" && grep -qx 'Icon=vantorel' "$desktop" &&
    grep -qx 'Type=Application' "$desktop" || { echo "desktop entry: $(cat "$desktop")"; return 1; }
  grep -q '<launchable type="desktop-id">org.vantorel.Vantorel.desktop</launchable>' "$metainfo" ||
    { echo "the metadata names no launcher"; return 1; }
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$WORK/as.log" 2>&1 ||
      { echo "appstreamcli: $(cat "$WORK/as.log")"; return 1; }
  fi
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" >"$WORK/dfv.log" 2>&1 && [ ! -s "$WORK/dfv.log" ] ||
      { echo "desktop-file-validate: $(cat "$WORK/dfv.log")"; return 1; }
  fi
  return 0
}

# The installed program needs nothing beside itself (its resources are compiled in), and a run
# with a game and the About box writes nothing: the home and working directories stay empty.
test_install_program_runs_alone_and_writes_nothing() {
  stage_install || return 1
  mkdir -p "$WORK/home" "$WORK/cwd"
  GAME_PROGRAM="$WORK/stage$STAGE_PREFIX/bin/vantorel" GAME_DIR="$WORK/cwd" \
    start_game HOME="$WORK/home" XDG_CONFIG_HOME= XDG_CACHE_HOME= XDG_DATA_HOME= || return 1
  shot_client "$WORK/start.ppm"
  key ctrl+e
  poll_client 3 piece_at_spawn || { echo "no game"; return 1; }
  key alt+h a
  wait_until 5 window_shown "$ABOUT_TITLE" || { echo "no About box"; return 1; }
  focus "$(find_window "$ABOUT_TITLE")"
  key Escape
  wait_until 5 window_not_shown "$ABOUT_TITLE" || { echo "the About box stayed"; return 1; }
  focus "$GAME_WID"
  key ctrl+x
  ends_with_0 || return 1
  local written
  written=$(find "$WORK/home" "$WORK/cwd" -mindepth 1 | head -5)
  [ -z "$written" ] || { echo "written: $written"; return 1; }
}
