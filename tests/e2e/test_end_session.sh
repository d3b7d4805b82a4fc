#!/usr/bin/env bash
# Windows ends the session (sign-out, restart, power off) while Horavia is ON
# and connected: it allows the end, logs the running period and saves its
# settings at once, shows no box, and does nothing more when its window is
# closed later. With the log held by another program the log keeps every
# byte, still without a box; with the ChronoLog window open, the note typed
# there reaches the file before the period's entry.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail end_session_environment "see above"; exit 1; }
for tool in "$E2E_STANDIN" "$E2E_HOLDFILE" "$E2E_ENDSESSION" "$E2E_WINDOWTEXT"; do
  [ -f "$tool" ] || { fail end_session_environment "no $tool"; exit 1; }
done

unset HORAVIA_DPI
readonly DPI=96
readonly CAPTION_RE='^Horavia \((ON|OFF)\)$'
T=$'\t'
# A sync cycle every second and a log entry for any period over a second, in
# an order of the user's; the program writes its own order and the retry
# count it uses.
readonly INI=$'LOG_SECOND_MIN=1\r\nSYNC_INTERVAL=1\r\n'
readonly INI_SAVED=$'SYNC_INTERVAL=1\r\nLOG_SECOND_MIN=1\r\nSM_TIMEOUT_RETRY=40\r\n'
readonly HEADER="Date${T}Date (YYYY/MM/DD)${T}Time${T}Elapsed Flight${T}Elapsed Flight (Seconds)${T}Elapsed Ground${T}Elapsed Ground (Seconds)${T}Elapsed Total${T}Elapsed Total (Seconds)${T}Notes"
readonly FIRST="Sunday, November 1, 2026${T}2026/11/01${T}09:15:00 AM${T}01:00:00${T}3600${T}00:10:00${T}600${T}01:10:00${T}4200${T}"
readonly OLD_LOG="$HEADER"$'\r\n'"$FIRST"$'\r\n'
readonly NOTE="Gusty"

# The note box holds the whole note (the labels hold times, never the note).
note_typed() { "$E2E_WINE" "$E2E_WINDOWTEXT" "Horavia ChronoLog" 2>/dev/null | tr -d '\r' | grep -qx "$NOTE"; }
log_window_gone() { ! e2e_has_window '^Horavia ChronoLog$'; }
caption_is() { [ "$(e2e_caption "$win")" == "$1" ]; }
connected() { e2e_lamp_is "$shot" "$DPI" "$win" 1 red || e2e_lamp_is "$shot" "$DPI" "$win" 0 green; }
bytes() { od -An -c "$1" | tr -s ' \n' ' '; }
bytes_of() { printf '%s' "$1" | od -An -c | tr -s ' \n' ' '; }
# Complete entries (ten columns, the note empty) after the first N bytes, "k of n lines".
entries_after() {
  tail -c +$(($2 + 1)) "$1" | awk -F '\t' 'NF == 10 && /\t\r$/ { n++ } END { print n + 0 " of " NR }'
}

# start_on CASE: a fresh folder with the settings and the old log, the
# stand-in, Horavia connected to it, then Start and three sync cycles ON.
start_on() {
  local name=$1 mark
  dir=$(e2e_program_folder)
  shot="$E2E_ARTIFACTS/end_session_$name.png"
  printf '%s' "$INI" >"$dir/Horavia.ini"
  printf '%s' "$OLD_LOG" >"$dir/Horavia.log"
  e2e_standin_start "$dir" || { fail "${name}_standin_starts" "see $STANDIN_JOURNAL"; return 1; }
  e2e_start "$dir"
  pid=$HORAVIA_PID
  if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
    fail "${name}_starts" "no window within 60 s"
    return 1
  fi
  win=$(e2e_window "$CAPTION_RE")
  if ! { wait_for 20 e2e_journal_has 0 '^read 0x0238 ' && wait_for 20 connected; }; then
    fail "${name}_starts" "no connection to the stand-in (see $shot)"
    return 1
  fi
  mark=$(e2e_journal_mark)
  e2e_press_button "$win" "$DPI" 0
  if wait_for 10 caption_is "Horavia (ON)" && wait_for 15 e2e_journal_at_least "$mark" '^read 0x0366 ' 3; then
    pass "${name}_switched_on"
  else
    fail "${name}_switched_on" "caption '$(e2e_caption "$win")' after a click on Start"
    return 1
  fi
}

# end_session CASE: the end of the session is allowed and taken in time,
# and no box is up afterwards.
end_session() {
  local name=$1 rc=0
  e2e_end_session "Horavia (ON)" || rc=$?
  check_eq "${name}_allowed_and_taken" "$rc" 0
  if e2e_has_box; then
    fail "${name}_no_box" "a box says: $(e2e_box_text | tr '\n' ' ')"
    e2e_dismiss_box
  else
    pass "${name}_no_box"
  fi
}

# closes_quietly CASE: a later WM_CLOSE ends Horavia without a box.
closes_quietly() {
  e2e_close "Horavia (ON)"
  if e2e_wait_exit "$pid" 30; then
    pass "${1}_later_close_ends"
  else
    fail "${1}_later_close_ends" "still running 30 s after WM_CLOSE$(e2e_has_box && echo ", a box says: $(e2e_box_text | tr '\n' ' ')")"
    e2e_dismiss_box
  fi
}

# ---- ON and connected: one entry after the old lines, the settings saved,
# no OFF status text; closing later changes neither file.
if start_on plain; then
  mark=$(e2e_journal_mark)
  end_session plain
  check_eq plain_old_lines_kept "$(head -c "${#OLD_LOG}" "$dir/Horavia.log" | od -An -c | tr -s ' \n' ' ')" "$(bytes_of "$OLD_LOG")"
  check_eq plain_one_entry_logged "$(entries_after "$dir/Horavia.log" "${#OLD_LOG}")" "1 of 1"
  check_eq plain_ini_saved "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$INI_SAVED")"
  log_now=$(bytes "$dir/Horavia.log")
  closes_quietly plain
  check_eq plain_close_logs_nothing_more "$(bytes "$dir/Horavia.log")" "$log_now"
  check_eq plain_close_saves_nothing_more "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$INI_SAVED")"
  check_eq plain_no_off_status_text "$(e2e_journal_count "$mark" '^write 0x3380 ')" 0
  e2e_standin_stop
fi

# ---- The log held by another program: no box, no retry question; the log
# keeps every byte and the settings are saved all the same.
if start_on held; then
  if e2e_lock_file "$dir/Horavia.log"; then
    end_session held
    if e2e_unlock_file; then pass held_holder_lets_go; else fail held_holder_lets_go "holdfile.exe did not end"; fi
    check_eq held_log_whole "$(bytes "$dir/Horavia.log")" "$(bytes_of "$OLD_LOG")"
    check_eq held_ini_saved "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$INI_SAVED")"
    closes_quietly held
    check_eq held_close_logs_nothing "$(bytes "$dir/Horavia.log")" "$(bytes_of "$OLD_LOG")"
  else
    fail held_holder "holdfile.exe says: $(tr '\n' ' ' <"$HOLD_OUT")"
    e2e_close "Horavia (ON)"
  fi
  e2e_standin_stop
fi

# ---- The ChronoLog window open with a note typed: the window writes its
# copy back, then the period's entry follows it; the window goes.
if start_on log_open; then
  read -r wx wy _ _ < <(e2e_geometry "$win")
  e2e_press_button "$win" "$DPI" 5
  if wait_for 20 e2e_information_frame_shows "$shot" "$DPI" "$wx" "$wy"; then
    # "Log" in lblLog, 240 twips into Frame4.
    e2e_click_twips "$win" "$DPI" $((1920 + 240 + 180)) $((480 + 127))
  fi
  if wait_for 20 e2e_has_window '^Horavia ChronoLog$'; then
    pass log_open_window_opens
    e2e_focus "$(e2e_window '^Horavia ChronoLog$')"
    xdotool key --clearmodifiers Tab
    xdotool type --delay 20 "$NOTE"
    if wait_for 20 note_typed; then pass log_open_note_typed; else fail log_open_note_typed "the note box never showed \"$NOTE\""; fi
    end_session log_open
    check_eq log_open_note_then_entry \
      "$(head -c $((${#OLD_LOG} + ${#NOTE})) "$dir/Horavia.log" | od -An -c | tr -s ' \n' ' ')" \
      "$(bytes_of "$HEADER"$'\r\n'"$FIRST$NOTE"$'\r\n')"
    check_eq log_open_one_entry_logged "$(entries_after "$dir/Horavia.log" $((${#OLD_LOG} + ${#NOTE})))" "1 of 1"
    if wait_for 20 log_window_gone; then
      pass log_open_window_goes
    else
      fail log_open_window_goes "the ChronoLog window is still open"
    fi
    closes_quietly log_open
  else
    fail log_open_window_opens "no \"Horavia ChronoLog\" window"
    e2e_close "Horavia (ON)"
  fi
  e2e_standin_stop
fi
exit "$E2E_FAILED"
