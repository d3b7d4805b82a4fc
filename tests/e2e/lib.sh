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
    if kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; fi
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
