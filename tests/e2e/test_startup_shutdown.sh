#!/usr/bin/env bash
# Start-up and shut-down of the real program: with no settings file the
# window opens as "Horavia (OFF)" at the designed size, shows its clock
# frames, and on close writes the default settings file.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail startup_environment "see above"; exit 1; }

unset HORAVIA_DPI
readonly CAPTION_RE='^Horavia \((ON|OFF)\)$'
readonly DEFAULT_INI=$'SYNC_INTERVAL=20\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n'

# Has the window painted its grey background and its frames yet?
painted() {
  local shot=$1 x=$2 y=$3 w=$4 h=$5
  e2e_screenshot "$shot" || return 1
  [ "$(e2e_pixel "$shot" $((x + w - 3)) $((y + h - 3)))" == 808080 ]
}

# run_at DPI: one start and close, checked at that DPI ("" = the system's).
run_at() {
  local dpi=$1 tag=${1:-96}dpi
  local dir
  dir=$(e2e_program_folder)
  rm -f "$dir/Horavia.ini"
  local extra=()
  [ -n "$dpi" ] && extra+=("HORAVIA_DPI=$dpi")
  e2e_start "$dir" "${extra[@]}"
  local pid=$HORAVIA_PID

  if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
    fail "window_opens_$tag" "no window within 60 s"
    return
  fi
  pass "window_opens_$tag"
  local win
  win=$(e2e_window "$CAPTION_RE")
  check_eq "caption_without_settings_$tag" "$(e2e_caption "$win")" "Horavia (OFF)"

  local x y w h
  read -r x y w h < <(e2e_geometry "$win")
  local scale=${dpi:-96}
  local want_w want_h
  want_w=$(twips_to_px 5175 "$scale")
  want_h=$(twips_to_px 2655 "$scale")
  check_eq "client_area_$tag" "${w}x${h}" "${want_w}x${want_h}"

  # The screenshot must agree: grey up to the last pixel of the client
  # area, the black root window right after it.
  local shot="$E2E_ARTIFACTS/startup_$tag.png"
  if wait_for 20 painted "$shot" "$x" "$y" "$w" "$h"; then
    local inside outside
    inside=$(e2e_pixel "$shot" $((x + w - 1)) $((y + h - 1)))
    outside=$(e2e_pixel "$shot" $((x + w + 1)) $((y + h + 1)))
    if [ "$inside" == 808080 ] && [ "$outside" != 808080 ]; then
      pass "grey_background_$tag"
    else
      fail "grey_background_$tag" "corner $inside, beyond it $outside (see $shot)"
    fi
    # Inside the sim clock frame, below its inner frame: frame green.
    local green
    green=$(e2e_pixel "$shot" $((x + $(twips_to_px 3120 "$scale"))) $((y + $(twips_to_px 1860 "$scale"))))
    check_eq "frame_green_$tag" "$green" 004000
    # The sim clock label's "?? : ??" in yellow.
    local region yellow
    region="$(twips_to_px 1215 "$scale")x$(twips_to_px 495 "$scale")+$((x + $(twips_to_px 360 "$scale")))+$((y + $(twips_to_px 1320 "$scale")))"
    yellow=$(e2e_count_colour "$shot" "$region" "rgb(255,255,0)")
    if [ "${yellow:-0}" -ge 20 ]; then
      pass "sim_clock_text_$tag"
    else
      fail "sim_clock_text_$tag" "only ${yellow:-0} yellow pixels in $region (see $shot)"
    fi
  else
    fail "grey_background_$tag" "the window never painted (see $shot)"
  fi

  if ! e2e_close "Horavia (OFF)"; then
    fail "closes_$tag" "closewindow found no window"
    return
  fi
  if e2e_wait_exit "$pid" 30; then
    pass "closes_$tag"
  else
    fail "closes_$tag" "still running 30 s after WM_CLOSE"
    return
  fi
  if [ ! -f "$dir/Horavia.ini" ]; then
    fail "settings_written_$tag" "no Horavia.ini"
  elif [ "$(cat "$dir/Horavia.ini"; echo x)" == "${DEFAULT_INI}x" ]; then
    pass "settings_written_$tag"
  else
    fail "settings_written_$tag" "Horavia.ini is: $(od -c "$dir/Horavia.ini" | head -n 5 | tr '\n' ' ')"
  fi
  local leftovers
  leftovers=$(find "$dir" -maxdepth 1 -iname '*.tmp' | wc -l)
  check_eq "no_temporary_files_$tag" "$leftovers" 0
}

run_at ""
run_at 144
exit "$E2E_FAILED"
