# shellcheck shell=bash
# Shared helpers of the end-to-end tests: the real Horavia.exe under Wine on
# an X display, driven and observed from outside.
#
# The caller's environment (set by `./horavia test`):
#   HORAVIA_PROGRAM_DIR  the staged program folder (Horavia.exe, sounds, help)
#   HORAVIA_BUILD        the build folder; its mingw/ holds the test tools
#   DISPLAY, WINEPREFIX  a private X display and Wine prefix
#
# Results are lines "PASS <name>" or "FAIL <name> <why>", which the test
# runner counts. Nothing here sleeps for a fixed time: every wait polls a
# condition until a deadline.

set -uo pipefail

E2E_WINE=${E2E_WINE:-/usr/lib/wine/wine64}
E2E_CLOSEWINDOW=${E2E_CLOSEWINDOW:-${HORAVIA_BUILD:-}/mingw/tests/win32/tools/closewindow.exe}
E2E_ARTIFACTS=${E2E_ARTIFACTS:-${HORAVIA_BUILD:-/tmp}/e2e}
E2E_FAILED=0
E2E_PIDS=()
E2E_DIRS=()

pass() { echo "PASS $1"; }
fail() {
  local name=$1
  shift
  echo "FAIL $name $*"
  E2E_FAILED=1
}

# check NAME ACTUAL EXPECTED: one PASS or FAIL line.
check_eq() {
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1" "expected '$3', got '$2'"; fi
}

e2e_require() {
  local v missing=0
  for v in HORAVIA_PROGRAM_DIR HORAVIA_BUILD DISPLAY WINEPREFIX; do
    if [ -z "${!v:-}" ]; then
      echo "e2e: $v is not set" >&2
      missing=1
    fi
  done
  [ -f "${HORAVIA_PROGRAM_DIR:-}/Horavia.exe" ] || { echo "e2e: no Horavia.exe in HORAVIA_PROGRAM_DIR" >&2; missing=1; }
  [ -f "$E2E_CLOSEWINDOW" ] || { echo "e2e: no $E2E_CLOSEWINDOW" >&2; missing=1; }
  mkdir -p "$E2E_ARTIFACTS"
  trap e2e_cleanup EXIT
  return "$missing"
}

# Ends what the test started, by process id, and removes its folders.
e2e_cleanup() {
  local pid dir
  for pid in "${E2E_PIDS[@]}"; do
    kill -0 "$pid" 2>/dev/null || continue
    kill "$pid" 2>/dev/null
    # A program stuck in a blocking call may not heed the polite signal.
    wait_for 5 e2e_exited "$pid" || kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  for dir in "${E2E_DIRS[@]}"; do rm -rf "$dir"; done
}

# wait_for SECONDS COMMAND...: true as soon as COMMAND succeeds, false when
# the deadline passes first.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# A fresh program folder with a copy of the staged program; prints its path.
e2e_program_folder() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/horavia-e2e.XXXXXX")
  cp -r "$HORAVIA_PROGRAM_DIR"/. "$dir"/
  E2E_DIRS+=("$dir")
  echo "$dir"
}

# e2e_start FOLDER [NAME=VALUE...]: starts FOLDER/Horavia.exe under Wine with
# those extra environment variables; its process id is left in HORAVIA_PID.
# (Call it directly, not in $(...), so that the variable survives.)
e2e_start() {
  local dir=$1
  shift
  env "$@" "$E2E_WINE" "$dir/Horavia.exe" >>"$E2E_ARTIFACTS/wine.log" 2>&1 &
  HORAVIA_PID=$!
  E2E_PIDS+=("$HORAVIA_PID")
}

# The X window id of the visible top-level window whose caption matches the
# regular expression, or nothing.
e2e_window() {
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

e2e_has_window() { [ -n "$(e2e_window "$1")" ]; }

e2e_caption() { xdotool getwindowname "$1" 2>/dev/null; }

# "X Y WIDTH HEIGHT" of a window as the X server has it. With no window
# manager Wine draws no frame, so this is the client area.
e2e_geometry() {
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
  echo "$X $Y $WIDTH $HEIGHT"
}

# Closes a top-level window by its exact caption as its close box does
# (WM_CLOSE), so the program's shut-down runs.
e2e_close() { "$E2E_WINE" "$E2E_CLOSEWINDOW" "$1" >/dev/null 2>&1; }

e2e_exited() { ! kill -0 "$1" 2>/dev/null; }

# e2e_end_session CAPTION: Windows ends the session for the window with that
# exact caption (WM_QUERYENDSESSION, then WM_ENDSESSION); the exit code of
# endsession.exe: 0 when the window allowed it and took it within 30 s.
e2e_end_session() { "$E2E_WINE" "$E2E_ENDSESSION" "$1" >/dev/null 2>&1; }

# e2e_wait_exit PID SECONDS: true when the process ended in time.
e2e_wait_exit() {
  wait_for "$2" e2e_exited "$1" || return 1
  wait "$1" 2>/dev/null
  return 0
}

e2e_screenshot() { import -window root "$1" 2>/dev/null; }

# The colour of one pixel of an image as "RRGGBB".
e2e_pixel() {
  convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6
}

# e2e_pixels FILE X,Y...: the colours of several pixels as "RRGGBB"
# words in one pass, for checks that read many.
e2e_pixels() {
  local file=$1 format="" xy
  shift
  for xy in "$@"; do format+="%[hex:p{$xy}] "; done
  convert "$file" -format "$format" info: 2>/dev/null | tr 'a-f' 'A-F' |
    awk '{ for (i = 1; i <= NF; i++) printf "%s%s", substr($i, 1, 6), (i < NF ? " " : "\n") }'
}

# How many pixels of the region WxH+X+Y are within FUZZ (default 20 %) of
# the colour.
e2e_count_colour() {
  local file=$1 region=$2 colour=$3 fuzz=${4:-20%}
  convert "$file" -crop "$region" +repage -fuzz "$fuzz" -fill white -opaque "$colour" \
    -fill black +opaque white -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

# Pixels of a length in twips at a DPI, rounded to nearest as the program does.
twips_to_px() { echo $((($1 * $2 + 720) / 1440)); }

# e2e_region DPI WX WY LEFT TOP WIDTH HEIGHT: the screen region "WxH+X+Y"
# of a rectangle in twips of the client area whose origin is at WX,WY.
e2e_region() {
  local dpi=$1 wx=$2 wy=$3 left=$4 top=$5 width=$6 height=$7
  local x0 y0 x1 y1
  x0=$(twips_to_px "$left" "$dpi")
  y0=$(twips_to_px "$top" "$dpi")
  x1=$(twips_to_px $((left + width)) "$dpi")
  y1=$(twips_to_px $((top + height)) "$dpi")
  echo "$((x1 - x0))x$((y1 - y0))+$((wx + x0))+$((wy + y0))"
}

# e2e_click WINDOW X Y: a left click at a pixel of the window's client area.
e2e_click() { xdotool mousemove --window "$1" "$2" "$3" click 1 >/dev/null 2>&1; }

# e2e_click_twips WINDOW DPI X Y: the same at a place given in twips.
e2e_click_twips() { e2e_click "$1" "$(twips_to_px "$3" "$2")" "$(twips_to_px "$4" "$2")"; }

# Gives a window the keyboard; with no window manager nobody else does.
e2e_focus() { xdotool windowfocus --sync "$1" >/dev/null 2>&1; }

# ---- The simulator stand-in, driven through a command pipe --------------

# Like E2E_CLOSEWINDOW, each may be set to a build of one's own.
E2E_STANDIN=${E2E_STANDIN:-${HORAVIA_BUILD:-}/mingw/tools/simstandin/simstandin.exe}
E2E_HOLDFILE=${E2E_HOLDFILE:-${HORAVIA_BUILD:-}/mingw/tests/win32/tools/holdfile.exe}
E2E_STARTWITHMAPPING=${E2E_STARTWITHMAPPING:-${HORAVIA_BUILD:-}/mingw/tests/win32/tools/startwithmapping.exe}
E2E_WINDOWTEXT=${E2E_WINDOWTEXT:-${HORAVIA_BUILD:-}/mingw/tests/win32/tools/windowtext.exe}
E2E_ANSWERBOX=${E2E_ANSWERBOX:-${HORAVIA_BUILD:-}/mingw/tests/win32/tools/answerbox.exe}
E2E_ENDSESSION=${E2E_ENDSESSION:-${HORAVIA_BUILD:-}/mingw/tests/win32/tools/endsession.exe}

# e2e_standin_start DIR [OPTION...]: starts the stand-in with its commands
# from a pipe that the test holds open (STANDIN_FD) and its journal in
# DIR/standin.journal (STANDIN_JOURNAL); true once it says "ready".
# Its process id is left in STANDIN_PID. Call it directly, not in $(...).
e2e_standin_start() {
  local dir=$1
  shift
  local fifo="$dir/standin.commands"
  STANDIN_JOURNAL="$dir/standin.journal"
  rm -f "$fifo"
  mkfifo "$fifo" || return 1
  : >"$STANDIN_JOURNAL"
  "$E2E_WINE" "$E2E_STANDIN" "$@" <"$fifo" >>"$STANDIN_JOURNAL" 2>>"$E2E_ARTIFACTS/wine.log" &
  STANDIN_PID=$!
  E2E_PIDS+=("$STANDIN_PID")
  exec {STANDIN_FD}>"$fifo"
  wait_for 60 grep -q '^ready ' "$STANDIN_JOURNAL"
}

# One command line to the stand-in.
e2e_standin_send() { printf '%s\n' "$1" >&"$STANDIN_FD"; }

# e2e_standin_stop: "quit", then the process's end within 20 s, else it is
# killed; the command pipe is closed either way.
e2e_standin_stop() {
  e2e_standin_send quit 2>/dev/null
  if ! e2e_wait_exit "$STANDIN_PID" 20; then
    kill "$STANDIN_PID" 2>/dev/null
    wait "$STANDIN_PID" 2>/dev/null
  fi
  exec {STANDIN_FD}>&-
}

# The journal's current length, to look only at what comes after it.
e2e_journal_mark() { wc -l <"$STANDIN_JOURNAL"; }

# The journal's lines after MARK, without the CR that the C runtime of a
# Windows program puts before each line end.
e2e_journal_since() { tail -n +$(($1 + 1)) "$STANDIN_JOURNAL" | tr -d '\r'; }

# e2e_journal_has MARK REGEX: a journal line after MARK matches.
e2e_journal_has() { e2e_journal_since "$1" | grep -qE "$2"; }

# e2e_journal_count MARK REGEX: how many journal lines after MARK match.
e2e_journal_count() { e2e_journal_since "$1" | grep -cE "$2"; }

# e2e_journal_at_least MARK REGEX N: true when at least N lines match.
e2e_journal_at_least() { (($(e2e_journal_count "$1" "$2") >= $3)); }

# ---- The main window's buttons ------------------------------------------

# The faces are 27 x 17 pixels stretched over the 405 x 255 twip buttons at
# 2280 twips from the top, lefts 240 + 840 x index; each screen pixel shows
# the face pixel under its centre. e2e_face_offset CELL FACE I: the middle
# one of the screen pixels that show face pixel I.
e2e_face_offset() {
  local cell=$1 face=$2 want=$3 p first=-1 last=-1
  for ((p = 0; p < cell; p++)); do
    if (((2 * p + 1) * face / (2 * cell) == want)); then
      ((first < 0)) && first=$p
      last=$p
    fi
  done
  echo $(((first + last) / 2))
}

# e2e_face_xy DPI WX WY BUTTON COLUMN ROW: "X,Y" on the screen of that face pixel.
e2e_face_xy() {
  local dpi=$1 wx=$2 wy=$3 button=$4 column=$5 row=$6
  local left=$((240 + 840 * button)) x0 x1 y0 y1
  x0=$(twips_to_px "$left" "$dpi")
  x1=$(twips_to_px $((left + 405)) "$dpi")
  y0=$(twips_to_px 2280 "$dpi")
  y1=$(twips_to_px $((2280 + 255)) "$dpi")
  echo "$((wx + x0 + $(e2e_face_offset $((x1 - x0)) 27 "$column"))),$((wy + y0 + $(e2e_face_offset $((y1 - y0)) 17 "$row")))"
}

# e2e_lamp SHOT DPI WX WY BUTTON: "grey", "red" or "green" by the lamp in the
# middle of the face (dark olive, red or green; the green face is the
# pressed look, two pixels right and one down), else "unknown".
e2e_lamp() {
  local shot=$1 dpi=$2 wx=$3 wy=$4 button=$5 up down
  read -r up down < <(e2e_pixels "$shot" "$(e2e_face_xy "$dpi" "$wx" "$wy" "$button" 11 7)" \
    "$(e2e_face_xy "$dpi" "$wx" "$wy" "$button" 13 8)")
  if [ "$down" == 00FF00 ]; then
    echo green
  elif [ "$up" == FF0000 ]; then
    echo red
  elif [ "$up" == 2B2B00 ]; then
    echo grey
  else
    echo unknown
  fi
}

# e2e_lamp_is SHOT DPI WINDOW BUTTON COLOUR: a fresh screenshot shows that lamp.
e2e_lamp_is() {
  local shot=$1 dpi=$2 win=$3 button=$4 colour=$5 x y
  read -r x y _ _ < <(e2e_geometry "$win") || return 1
  e2e_screenshot "$shot" || return 1
  [ "$(e2e_lamp "$shot" "$dpi" "$x" "$y" "$button")" == "$colour" ]
}

# e2e_press_button WINDOW DPI INDEX: a click in the middle of image button
# INDEX (0 Start, 1 Start Loc, 2 24 Hr, 3 MSFS Zulu, 4 Chrono, 5 Info).
e2e_press_button() {
  e2e_click_twips "$1" "$2" $((240 + 840 * $3 + 202)) $((2280 + 127))
}

# e2e_information_frame_shows SHOT DPI WX WY: a fresh screenshot shows the
# information frame, its "Horavia" and "Version" labels in medium green
# where the clock was.
e2e_information_frame_shows() {
  local shot=$1 dpi=$2 wx=$3 wy=$4 n
  e2e_screenshot "$shot" || return 1
  n=$(e2e_count_colour "$shot" "$(e2e_region "$dpi" "$wx" "$wy" 360 360 1215 495)" "rgb(0,192,0)" 0%)
  ((${n:-0} >= 50))
}

# e2e_start_on_information_frame NAME DIR: starts Horavia from DIR at 96 DPI,
# waits for its main window and brings up the information frame, where the
# text commands are, with Info (button 5); its window id is left in MAIN_WIN
# (and the process id, as by e2e_start, in HORAVIA_PID). Else a FAIL line
# NAME_main_window_opens or NAME_info_frame, Horavia closed, and false.
e2e_start_on_information_frame() {
  local name=$1 shot="$E2E_ARTIFACTS/$1_info.png" x y
  e2e_start "$2"
  if ! wait_for 60 e2e_has_window '^Horavia \((ON|OFF)\)$'; then
    fail "${name}_main_window_opens" "no window within 60 s"
    return 1
  fi
  MAIN_WIN=$(e2e_window '^Horavia \((ON|OFF)\)$')
  read -r x y _ _ < <(e2e_geometry "$MAIN_WIN")
  e2e_press_button "$MAIN_WIN" 96 5
  if ! wait_for 20 e2e_information_frame_shows "$shot" 96 "$x" "$y"; then
    fail "${name}_info_frame" "the information frame never showed (see $shot)"
    e2e_close "Horavia (OFF)"
    return 1
  fi
  pass "${name}_info_frame"
}

# ---- Message boxes ------------------------------------------------------

# Horavia's message boxes are titled "Horavia", exactly.
e2e_has_box() { e2e_has_window '^Horavia$'; }
e2e_no_box() { ! e2e_has_box; }

# The texts of the box's static controls (its message), one per line.
e2e_box_text() { "$E2E_WINE" "$E2E_WINDOWTEXT" "Horavia" 2>/dev/null | tr -d '\r'; }

# Closes the box as its OK button does; true once that box is gone (20 s),
# even if another one follows it at once.
e2e_dismiss_box() {
  local box
  box=$(e2e_window '^Horavia$')
  [ -n "$box" ] || return 0
  e2e_close "Horavia"
  wait_for 20 e2e_window_gone "$box"
}

# e2e_answer_box yes|no: presses that button of the "Horavia" box (a Yes/No
# box ignores WM_CLOSE); true once that box is gone (20 s).
e2e_answer_box() {
  local box
  box=$(e2e_window '^Horavia$')
  [ -n "$box" ] || return 1
  "$E2E_WINE" "$E2E_ANSWERBOX" "Horavia" "$1" >/dev/null 2>&1 || return 1
  wait_for 20 e2e_window_gone "$box"
}

e2e_window_gone() { ! xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1"; }

# A Unix path as the Windows programs see it (drive Z: is the root).
e2e_winpath() { local p=$1; echo "Z:${p//\//\\}"; }

# ---- Files that another program holds --------------------------------------

# e2e_lock_file PATH: another program opens the file with no sharing at all
# and holds it (HOLD_PID, commands on HOLD_FD); true once it says so.
# Call it directly, not in $(...).
e2e_lock_file() {
  local base=$1.hold
  rm -f "$base.commands"
  mkfifo "$base.commands" || return 1
  : >"$base.out"
  "$E2E_WINE" "$E2E_HOLDFILE" lock "$(e2e_winpath "$1")" <"$base.commands" >"$base.out" 2>>"$E2E_ARTIFACTS/wine.log" &
  HOLD_PID=$!
  HOLD_OUT=$base.out
  E2E_PIDS+=("$HOLD_PID")
  exec {HOLD_FD}>"$base.commands"
  wait_for 30 e2e_holder_says locked
}

e2e_holder_says() { tr -d '\r' <"$HOLD_OUT" | grep -qx "$1"; }

# e2e_unlock_file: the holder lets go and ends; true once it has.
e2e_unlock_file() {
  printf 'release\n' >&"$HOLD_FD"
  exec {HOLD_FD}>&-
  e2e_wait_exit "$HOLD_PID" 20 && e2e_holder_says released
}

# e2e_read_only PATH: the file gets the read-only attribute, as the
# Windows programs see it.
e2e_read_only() { "$E2E_WINE" "$E2E_HOLDFILE" readonly "$(e2e_winpath "$1")" >/dev/null 2>&1; }
