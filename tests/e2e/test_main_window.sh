#!/usr/bin/env bash
# The main window with no simulator, read from real screenshots: the six
# button faces pixel by pixel (grey on 0, 1, 3, 4, red on 2 and 5), the
# frame and label colours, a button's tool tip; then clicks: a grey button
# does nothing, Info swaps the clock frame for the information frame and
# back, Log opens the ChronoLog window, 24 Hr lights its button. At 96 DPI
# and, forced, at 144 and 192 DPI.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail main_window_environment "see above"; exit 1; }

unset HORAVIA_DPI
readonly CAPTION="Horavia (OFF)"

# Colours as the screenshot gives them.
readonly BLACK=000000 OUTLINE=808080 SHADOW=C0C0C0
readonly LAMP_GREY=2B2B00 LAMP_RED=FF0000 LAMP_GREEN=00FF00

# The pixels that tell the faces apart, as "column row colour"; LAMP stands
# for the lamp's colour. Red and grey share all but the lamp; the green face
# is the pressed look, moved two right and one down, without a shadow.
face_expectations() {
  case $1 in
    grey | red)
      cat <<'EOF'
0 0 BLACK
1 1 OUTLINE
21 1 OUTLINE
1 13 OUTLINE
21 13 OUTLINE
11 1 OUTLINE
2 2 BLACK
22 1 SHADOW
23 1 BLACK
23 7 SHADOW
22 13 SHADOW
2 14 SHADOW
23 14 SHADOW
1 14 BLACK
5 5 LAMP
17 9 LAMP
11 7 LAMP
4 5 BLACK
18 9 BLACK
17 10 BLACK
26 16 BLACK
EOF
      ;;
    green)
      cat <<'EOF'
0 0 BLACK
1 1 BLACK
3 2 OUTLINE
23 2 OUTLINE
3 14 OUTLINE
23 14 OUTLINE
22 1 BLACK
24 8 BLACK
2 15 BLACK
7 6 LAMP
19 10 LAMP
13 8 LAMP
6 6 BLACK
5 5 BLACK
20 10 BLACK
EOF
      ;;
  esac
}

# check_face NAME SHOT DPI WX WY BUTTON FACE: one PASS or FAIL line for
# every listed pixel of that button's face.
check_face() {
  local name=$1 shot=$2 dpi=$3 wx=$4 wy=$5 button=$6 face=$7
  local lamp
  case $face in
    grey) lamp=$LAMP_GREY ;;
    red) lamp=$LAMP_RED ;;
    green) lamp=$LAMP_GREEN ;;
  esac
  local points=() wants=() column row colour
  while read -r column row colour; do
    points+=("$(e2e_face_xy "$dpi" "$wx" "$wy" "$button" "$column" "$row")")
    case $colour in
      LAMP) wants+=("$column,$row=$lamp") ;;
      *) wants+=("$column,$row=${!colour}") ;;
    esac
  done < <(face_expectations "$face")
  local got i wrong=""
  read -r -a got < <(e2e_pixels "$shot" "${points[@]}")
  for i in "${!wants[@]}"; do
    [ "${wants[$i]#*=}" == "${got[$i]:-none}" ] || wrong+=" (${wants[$i]%=*}) ${got[$i]:-none}, not ${wants[$i]#*=};"
  done
  if [ -z "$wrong" ]; then pass "$name"; else fail "$name" "button $button, $face face:$wrong see $shot"; fi
}

# Just the lamp's middle pixel: what the waits below poll for.
lamp_is() {
  local shot=$1 dpi=$2 wx=$3 wy=$4 button=$5 colour=$6 column=11 row=7
  [ "$colour" == "$LAMP_GREEN" ] && column=13 row=8
  e2e_screenshot "$shot" || return 1
  [ "$(e2e_pixels "$shot" "$(e2e_face_xy "$dpi" "$wx" "$wy" "$button" $column $row)")" == "$colour" ]
}

# check_count NAME SHOT DPI WX WY "LEFT TOP WIDTH HEIGHT" COLOUR MIN [MAX]:
# the number of pixels of that colour (within CHECK_FUZZ, 5 % unless set) in
# a rectangle of the client area given in twips.
check_count() {
  local name=$1 shot=$2 dpi=$3 wx=$4 wy=$5 rect=$6 colour=$7 min=$8 max=${9:-}
  local region n
  # shellcheck disable=SC2086
  region=$(e2e_region "$dpi" "$wx" "$wy" $rect)
  n=$(e2e_count_colour "$shot" "$region" "$colour" "${CHECK_FUZZ:-5%}")
  n=${n:-0}
  if ((n < min)) || { [ -n "$max" ] && ((n > max)); }; then
    fail "$name" "$n pixels of $colour in $region, wanted ${min}..${max:-any} (see $shot)"
  else
    pass "$name"
  fi
}

# lblInternalClock's place; the information frame's Label4 and lblVersion
# cover it when that frame shows, and paint over the clock's.
readonly CLOCK_AREA="360 360 1215 495"
readonly FS_CLOCK="360 1320 1215 495"
readonly FS_DATE="2040 1440 2775 255"
readonly FS_LAMPS="1440 1320 375 495"
readonly INTERNAL_LAMPS="1440 360 375 495"
log_window_gone() { ! e2e_has_window '^Horavia ChronoLog$'; }

readonly LOG_LINK="2160 480 375 255"

# run_at DPI: start, look, click, close, at that DPI ("" = the system's).
run_at() {
  local dpi=$1 tag=${1:-96}dpi scale=${1:-96}
  local dir
  dir=$(e2e_program_folder)
  local extra=()
  [ -n "$dpi" ] && extra+=("HORAVIA_DPI=$dpi")
  e2e_start "$dir" "${extra[@]}"
  local pid=$HORAVIA_PID

  if ! wait_for 60 e2e_has_window "^Horavia \((ON|OFF)\)$"; then
    fail "main_window_opens_$tag" "no window within 60 s"
    return
  fi
  local win x y w h
  win=$(e2e_window "^Horavia \((ON|OFF)\)$")
  read -r x y w h < <(e2e_geometry "$win")

  local shot="$E2E_ARTIFACTS/main_window_$tag.png"
  if ! wait_for 20 lamp_is "$shot" "$scale" "$x" "$y" 5 "$LAMP_RED"; then
    fail "main_window_painted_$tag" "button 5 never showed its red lamp (see $shot)"
    e2e_close "$CAPTION"
    return
  fi
  [ -z "$dpi" ] && convert "$shot" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_ARTIFACTS/main-window.png"

  local i
  for i in 0 1 3 4; do check_face "grey_face_button${i}_$tag" "$shot" "$scale" "$x" "$y" "$i" grey; done
  for i in 2 5; do check_face "red_face_button${i}_$tag" "$shot" "$scale" "$x" "$y" "$i" red; done

  check_eq "frame_green_$tag" "$(e2e_pixels "$shot" "$((x + $(twips_to_px 3120 "$scale"))),$((y + $(twips_to_px 900 "$scale")))")" 004000
  check_eq "window_grey_between_buttons_$tag" "$(e2e_pixels "$shot" "$((x + $(twips_to_px 840 "$scale"))),$((y + $(twips_to_px 2400 "$scale")))")" 808080
  check_count "sim_clock_yellow_$tag" "$shot" "$scale" "$x" "$y" "$FS_CLOCK" "rgb(255,255,0)" 20
  check_count "sim_clock_on_dark_green_$tag" "$shot" "$scale" "$x" "$y" "$FS_CLOCK" "rgb(0,64,0)" 100
  check_count "sim_date_yellow_$tag" "$shot" "$scale" "$x" "$y" "$FS_DATE" "rgb(255,255,0)" 20
  check_count "sim_lamps_olive_$tag" "$shot" "$scale" "$x" "$y" "$FS_LAMPS" "rgb(128,128,0)" 10
  check_count "internal_clock_bright_green_$tag" "$shot" "$scale" "$x" "$y" "$CLOCK_AREA" "rgb(0,255,0)" 20
  check_count "internal_unlit_lamp_dark_green_$tag" "$shot" "$scale" "$x" "$y" "$INTERNAL_LAMPS" "rgb(0,128,0)" 10
  check_count "caption_start_white_on_grey_$tag" "$shot" "$scale" "$x" "$y" "240 2040 495 240" "rgb(255,255,255)" 15
  check_count "caption_info_white_on_grey_$tag" "$shot" "$scale" "$x" "$y" "4440 2040 495 240" "rgb(255,255,255)" 15
  check_count "caption_info_on_grey_$tag" "$shot" "$scale" "$x" "$y" "4440 2040 495 240" "rgb(128,128,128)" 50

  # A tool tip under the pointer, on the black screen below the window.
  if [ -z "$dpi" ]; then
    xdotool mousemove --window "$win" "$(twips_to_px 442 "$scale")" "$(twips_to_px 2407 "$scale")" >/dev/null 2>&1
    local tipshot="$E2E_ARTIFACTS/main_window_tip_$tag.png" below="300x60+$x+$((y + h))"
    tip_shows() { e2e_screenshot "$tipshot" && (($(e2e_count_colour "$tipshot" "$below" "rgb(255,255,255)" 10%) > 100)); }
    if wait_for 20 tip_shows; then pass "tool_tip_$tag"; else fail "tool_tip_$tag" "no tool tip below button 0 (see $tipshot)"; fi
  fi

  # Button 0 is grey without a simulator: its click must change nothing.
  # Button 5's click comes after it, so once 5 has turned, 0's was handled.
  e2e_click_twips "$win" "$scale" 442 2407
  e2e_click_twips "$win" "$scale" 4642 2407
  local info="$E2E_ARTIFACTS/main_window_info_$tag.png"
  if wait_for 20 lamp_is "$info" "$scale" "$x" "$y" 5 "$LAMP_GREEN"; then
    check_face "info_face_green_$tag" "$info" "$scale" "$x" "$y" 5 green
    check_face "grey_button_ignores_click_$tag" "$info" "$scale" "$x" "$y" 0 grey
    check_eq "grey_button_leaves_caption_$tag" "$(e2e_caption "$win")" "$CAPTION"
    # Smoothed edges of the bright green clock pass through medium green,
    # so only pixels of exactly that colour count: the labels' solid strokes.
    CHECK_FUZZ=0% check_count "information_frame_shown_$tag" "$info" "$scale" "$x" "$y" "$CLOCK_AREA" "rgb(0,192,0)" 50
    check_count "internal_clock_hidden_$tag" "$info" "$scale" "$x" "$y" "$CLOCK_AREA" "rgb(0,255,0)" 0 0
    check_count "log_link_bright_green_$tag" "$info" "$scale" "$x" "$y" "$LOG_LINK" "rgb(0,255,0)" 10
  else
    fail "info_face_green_$tag" "button 5 did not turn green (see $info)"
  fi

  # "Log" opens the ChronoLog window over the main window; closed again,
  # the main window takes clicks as before (the 24 Hr click below).
  if [ -z "$dpi" ]; then
    e2e_click_twips "$win" "$scale" $((1920 + 240 + 150)) $((480 + 127))
    if wait_for 20 e2e_has_window '^Horavia ChronoLog$'; then
      pass "log_window_opens_$tag"
      e2e_close "Horavia ChronoLog"
      if wait_for 20 log_window_gone; then pass "log_window_closes_$tag"; else fail "log_window_closes_$tag" "still open 20 s after WM_CLOSE"; fi
    else
      fail "log_window_opens_$tag" "no \"Horavia ChronoLog\" window after a click on Log"
    fi
  fi

  e2e_click_twips "$win" "$scale" 2122 2407
  local hours="$E2E_ARTIFACTS/main_window_24hr_$tag.png"
  if wait_for 20 lamp_is "$hours" "$scale" "$x" "$y" 2 "$LAMP_GREEN"; then
    check_face "24hr_face_green_$tag" "$hours" "$scale" "$x" "$y" 2 green
    check_face "info_stays_green_$tag" "$hours" "$scale" "$x" "$y" 5 green
  else
    fail "24hr_face_green_$tag" "button 2 did not turn green (see $hours)"
  fi

  e2e_click_twips "$win" "$scale" 4642 2407
  local back="$E2E_ARTIFACTS/main_window_back_$tag.png"
  if wait_for 20 lamp_is "$back" "$scale" "$x" "$y" 5 "$LAMP_RED"; then
    check_face "info_face_red_again_$tag" "$back" "$scale" "$x" "$y" 5 red
    check_count "internal_clock_back_$tag" "$back" "$scale" "$x" "$y" "$CLOCK_AREA" "rgb(0,255,0)" 20
  else
    fail "info_face_red_again_$tag" "button 5 did not turn back to red (see $back)"
  fi

  if e2e_close "$CAPTION" && e2e_wait_exit "$pid" 30; then
    pass "main_window_closes_$tag"
  else
    fail "main_window_closes_$tag" "still running 30 s after WM_CLOSE"
  fi
}

run_at ""
run_at 144
run_at 192
exit "$E2E_FAILED"
