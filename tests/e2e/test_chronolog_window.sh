#!/usr/bin/env bash
# The ChronoLog window opened from the main window's "Log" command on a
# prepared log: a note typed against the newest entry, the entry before it
# marked for deletion, Exit with Enter. The log then holds exactly the
# header, the untouched entry, the line that is no entry, and the newest
# entry with its note; the marked one is gone.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail chronolog_environment "see above"; exit 1; }

unset HORAVIA_DPI
readonly CAPTION="Horavia (OFF)"
readonly LOG_RE='^Horavia ChronoLog$'
readonly DPI=96
T=$'\t'
CRLF=$'\r\n'
readonly HEADER="Date${T}Date (YYYY/MM/DD)${T}Time${T}Elapsed Flight${T}Elapsed Flight (Seconds)${T}Elapsed Ground${T}Elapsed Ground (Seconds)${T}Elapsed Total${T}Elapsed Total (Seconds)${T}Notes"
readonly FIRST="Monday, January 5, 2026${T}2026/01/05${T}09:00:00 AM${T}00:10:00${T}600${T}00:05:00${T}300${T}00:15:00${T}900${T}"
readonly JUNK="written by hand, not an entry"
readonly SECOND="Tuesday, January 6, 2026${T}2026/01/06${T}01:30:00 PM${T}01:00:00${T}3600${T}00:00:00${T}0${T}01:00:00${T}3600${T}a first note"
readonly NEWEST="Wednesday, January 7, 2026${T}2026/01/07${T}10:15:30 PM${T}00:20:00${T}1200${T}00:02:00${T}120${T}00:22:00${T}1320${T}"
readonly NOTE="Clear skies"

log_window_gone() { ! e2e_has_window "$LOG_RE"; }

dir=$(e2e_program_folder)
printf '%s\r\n' "$HEADER" "$FIRST" "$JUNK" "$SECOND" "$NEWEST" >"$dir/Horavia.log"
e2e_start_on_information_frame chronolog "$dir" || exit 1
win=$MAIN_WIN pid=$HORAVIA_PID
# "Log" in lblLog, 240 twips into Frame4.
e2e_click_twips "$win" "$DPI" $((1920 + 240 + 180)) $((480 + 127))
if ! wait_for 20 e2e_has_window "$LOG_RE"; then
  fail chronolog_window_opens "no \"Horavia ChronoLog\" window"
  e2e_close "$CAPTION"
  exit 1
fi
pass chronolog_window_opens
logwin=$(e2e_window "$LOG_RE")
e2e_screenshot "$E2E_ARTIFACTS/chronolog-window-full.png"
read -r lx ly lw lh < <(e2e_geometry "$logwin")
convert "$E2E_ARTIFACTS/chronolog-window-full.png" -crop "${lw}x${lh}+${lx}+${ly}" +repage \
  "$E2E_ARTIFACTS/chronolog-window.png" 2>/dev/null

# The list has the focus and shows the newest entry. Tab to the note box and
# type; back to the list, up to the entry before, Delete Entry (Alt+D);
# Enter is Exit.
e2e_focus "$logwin"
xdotool key --clearmodifiers Tab
xdotool type --delay 20 "$NOTE"
xdotool key --clearmodifiers shift+Tab Up alt+d Return
if wait_for 20 log_window_gone; then
  pass chronolog_window_closes_on_enter
else
  fail chronolog_window_closes_on_enter "the window is still open after Enter"
  e2e_close "Horavia ChronoLog"
fi

expected="${HEADER}${CRLF}${FIRST}${CRLF}${JUNK}${CRLF}${NEWEST}${NOTE}${CRLF}"
if [ "$(cat "$dir/Horavia.log"; echo x)" == "${expected}x" ]; then
  pass chronolog_file_written_back
else
  fail chronolog_file_written_back "Horavia.log is: $(od -c "$dir/Horavia.log" | head -n 40 | tr '\n' ' ')"
fi

if e2e_close "$CAPTION" && e2e_wait_exit "$pid" 30; then
  pass chronolog_main_window_closes
else
  fail chronolog_main_window_closes "still running 30 s after WM_CLOSE"
fi
exit "$E2E_FAILED"
