#!/usr/bin/env bash
# The real program with its settings file and its log file where it cannot
# use them: a folder of that name, a read-only file, a file that another
# program holds open without sharing. The settings file is read at start-up
# and written at shut-down; the log is appended to at switch-OFF and at
# shut-down. Each time Horavia must go on (or close, when asked to), leave
# what it found exactly as it was, and say so in a "Horavia" box where a
# write failed.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail faults_files_environment "see above"; exit 1; }
for tool in "$E2E_STANDIN" "$E2E_HOLDFILE" "$E2E_WINDOWTEXT"; do
  [ -f "$tool" ] || { fail faults_files_environment "no $tool"; exit 1; }
done

unset HORAVIA_DPI
readonly DPI=96
readonly CAPTION_RE='^Horavia \((ON|OFF)\)$'
# A sync cycle every second and a log entry for any period over a second.
readonly INI=$'SYNC_INTERVAL=1\r\nLOG_SECOND_MIN=1\r\nSM_TIMEOUT_RETRY=1\r\n'
# A settings file as a user may keep it, which a rewrite would change: its
# own order, a line of its own, a hot key.
readonly USER_INI=$'; kept by hand\r\nLOG_SECOND_MIN=1\r\nSYNC_INTERVAL=1\r\nSTART_HK=65\r\nSTART_HKCS=1\r\nSM_TIMEOUT_RETRY=1\r\n'
readonly HEADER=$'Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\tElapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes'
readonly OLD_LOG="$HEADER"$'\r\nSunday, November 1, 2026\t2026/11/01\t09:15:00 AM\t01:00:00\t3600\t00:10:00\t600\t01:10:00\t4200\tfirst flight\r\n'

caption_is() { [ "$(e2e_caption "$win")" == "$1" ]; }
connected() { e2e_lamp_is "$shot" "$DPI" "$win" 1 red || e2e_lamp_is "$shot" "$DPI" "$win" 0 green; }
alive() { kill -0 "$pid" 2>/dev/null && e2e_has_window "$CAPTION_RE"; }
bytes() { od -An -c "$1" | tr -s ' \n' ' '; }
bytes_of() { printf '%s' "$1" | od -An -c | tr -s ' \n' ' '; }
no_write_bits() { [ -f "$1" ] && (((8#$(stat -c %a "$1") & 8#222) == 0)); }

# session CASE: a fresh program folder in $dir; the caller puts its fault
# in place and calls launch.
session() {
  dir=$(e2e_program_folder)
  shot="$E2E_ARTIFACTS/faults_files_$1.png"
}

# launch CASE [standin]: Horavia starts, shows its window, shows no box, and
# with the stand-in connects to it.
launch() {
  local name=$1
  if [ "${2:-}" == standin ]; then
    e2e_standin_start "$dir" || { fail "${name}_standin_starts" "see $STANDIN_JOURNAL"; return 1; }
  fi
  e2e_start "$dir"
  pid=$HORAVIA_PID
  if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
    fail "${name}_starts" "no window within 60 s$(e2e_has_box && echo ", a box says: $(e2e_box_text | tr '\n' ' ')")"
    return 1
  fi
  win=$(e2e_window "$CAPTION_RE")
  if [ "${2:-}" == standin ] && ! { wait_for 20 e2e_journal_has 0 '^read 0x0238 ' && wait_for 20 connected; }; then
    fail "${name}_starts" "no connection to the stand-in (see $shot)"
    return 1
  fi
  if e2e_has_box; then
    fail "${name}_starts_silently" "a box says: $(e2e_box_text | tr '\n' ' ')"
    e2e_dismiss_box
  else
    pass "${name}_starts_silently"
  fi
}

# switch_on CASE: Start, and three chronometer steps.
switch_on() {
  local mark
  mark=$(e2e_journal_mark)
  e2e_press_button "$win" "$DPI" 0
  if wait_for 10 caption_is "Horavia (ON)" && wait_for 15 e2e_journal_at_least "$mark" '^read 0x0366 ' 3; then
    pass "${1}_switched_on"
  else
    fail "${1}_switched_on" "caption '$(e2e_caption "$win")' after a click on Start"
  fi
}

# expect_box CASE REGEX [yes|no] [before-answer...]: a "Horavia" box comes
# up, its message matches (kept in BOX_TEXT), and Horavia waits for the
# user; then the box is closed with OK, or with that answer to a question,
# after the command given, if any, has run.
expect_box() {
  local name=$1 want=$2 answer=${3:-}
  shift $(($# < 3 ? $# : 3))
  BOX_TEXT=""
  if ! wait_for 20 e2e_has_box; then
    fail "$name" "no \"Horavia\" box within 20 s"
    return 1
  fi
  BOX_TEXT=$(e2e_box_text)
  if grep -qE -- "$want" <<<"$BOX_TEXT"; then pass "$name"; else fail "$name" "the box says: $BOX_TEXT"; fi
  if kill -0 "$pid" 2>/dev/null; then pass "${name}_waits_for_user"; else fail "${name}_waits_for_user" "Horavia.exe ended under its box"; fi
  (($# == 0)) || "$@"
  if [ -n "$answer" ]; then
    e2e_answer_box "$answer" || fail "${name}_answered" "no $answer in the box, or it did not close"
  else
    e2e_dismiss_box || fail "${name}_dismissed" "the box did not close"
  fi
}

# close_with_box CASE REGEX [yes|no] [before-answer...]: WM_CLOSE, one box
# as expect_box, and the end.
close_with_box() {
  local name=$1
  e2e_close "$(e2e_caption "$win")"
  expect_box "$@"
  if e2e_wait_exit "$pid" 30; then pass "${name}_then_ends"; else fail "${name}_then_ends" "still running 30 s after the box closed"; fi
}

# The messages, as Horavia composes them with its program folder, as
# regular expressions.
folder_re() { e2e_winpath "$dir" | sed 's/[\\.]/\\&/g'; }
ini_message() { printf '%s\n' "^Could not write $(folder_re)\\\\Horavia\\.ini file\\.\$"; }
unread_ini_message() {
  printf '%s\n' "^Could not read $(folder_re)\\\\Horavia\\.ini file at start-up\\.  It is left as it is; the settings of this run are not saved\\.\$"
}
# One flight not in the log yet: its stamp (the long date and the time) and
# its chronometers.
readonly FLIGHT_RE='[^();]+ [0-9]{2}:[0-9]{2}:[0-9]{2} [AP]M \(Flight [0-9:]+, Ground [0-9:]+, Total [0-9:]+\)'
# flights_re N: N flights as the boxes list them.
flights_re() {
  if (($1 == 1)); then
    printf '%s' "the flight of $FLIGHT_RE"
  else
    printf '%s' "$1 flights, $FLIGHT_RE(; $FLIGHT_RE){$(($1 - 1))}"
  fi
}
them() { if (($1 == 1)); then printf it; else printf them; fi; }
# log_message N: the switch-OFF's box with N flights kept.
log_message() {
  printf '%s\n' "^Could not write $(folder_re)\\\\Horavia\\.log file\\.  Not in the log yet: $(flights_re "$1")\\.  Horavia keeps $(them "$1") and tries again at the next switch OFF and when it closes\\.\$"
}
# log_question N: the shut-down's question with N flights kept.
log_question() {
  printf '%s\n' "^Could not write $(folder_re)\\\\Horavia\\.log file\\.  Not in the log yet: $(flights_re "$1")\\.  Close the program that holds the file and choose Yes to try again, or No to close Horavia without $(them "$1")\\.\$"
}
# The flights a box lists, oldest first, one per line as the log has them:
# long date, time, flight, ground and total, TAB-separated.
box_flights() {
  sed -E -e 's/^.*Not in the log yet: //' -e 's/\.  [A-Z].*$//' -e 's/^(the flight of |[0-9]+ flights, )//' \
    -e 's/; /\n/g' <<<"$1" |
    sed -E 's/^(.*) ([0-9]{2}:[0-9]{2}:[0-9]{2} [AP]M) \(Flight ([0-9:]+), Ground ([0-9:]+), Total ([0-9:]+)\)$/\1\t\2\t\3\t\4\t\5/'
}
# The same columns of the log's entries after the first N bytes.
log_flights() {
  tail -c +$(($2 + 1)) "$1" | tr -d '\r' | awk -F '\t' 'NF == 10 && $10 == "" { print $1 "\t" $3 "\t" $4 "\t" $6 "\t" $8 }'
}

no_temporary_files() { check_eq "${1}_no_temporary_files" "$(find "$dir" -maxdepth 1 -iname '*.tmp' | wc -l)" 0; }

# ---- Settings file a folder: defaults at start-up; at shut-down the
# folder stays and the user is told.
session ini_folder
mkdir "$dir/Horavia.ini"
echo "the user's" >"$dir/Horavia.ini/keep.txt"
if launch ini_folder; then
  close_with_box ini_folder_shutdown_told "$(ini_message)"
  if [ -d "$dir/Horavia.ini" ] && [ "$(cat "$dir/Horavia.ini/keep.txt")" == "the user's" ]; then
    pass ini_folder_stays
  else
    fail ini_folder_stays "$(ls -la "$dir/Horavia.ini" 2>&1 | tr '\n' ' ')"
  fi
  no_temporary_files ini_folder
fi

# ---- Settings and log files read-only: the settings are read; neither
# switching OFF nor closing while ON can log the periods, the settings cannot
# be written, and both files keep every byte. At closing both periods are
# offered once more; No closes without them.
session readonly
printf '%s' "$USER_INI" >"$dir/Horavia.ini"
printf '%s' "$OLD_LOG" >"$dir/Horavia.log"
if e2e_read_only "$dir/Horavia.ini" && e2e_read_only "$dir/Horavia.log"; then
  pass readonly_attribute_set
else
  fail readonly_attribute_set "holdfile.exe could not set it"
fi
if launch readonly standin; then
  # A sync cycle every second, as the read-only file says; the default would
  # be one in 20 seconds.
  mark=$(e2e_journal_mark)
  if wait_for 10 e2e_journal_at_least "$mark" '^read 0x0238 ' 3; then
    pass readonly_ini_read_at_startup
  else
    fail readonly_ini_read_at_startup "$(e2e_journal_count "$mark" '^read 0x0238 ') sync cycles in 10 s"
  fi
  switch_on readonly
  e2e_press_button "$win" "$DPI" 0
  expect_box readonly_log_switch_off_told "$(log_message 1)"
  if wait_for 10 caption_is "Horavia (OFF)" && wait_for 10 connected && alive; then
    pass readonly_goes_on_off_and_connected
  else
    fail readonly_goes_on_off_and_connected "caption '$(e2e_caption "$win")' (see $shot)"
  fi
  switch_on readonly_again
  e2e_close "Horavia (ON)"
  expect_box readonly_log_shutdown_asked "$(log_question 2)" no
  expect_box readonly_ini_shutdown_told "$(ini_message)"
  if e2e_wait_exit "$pid" 30; then pass readonly_shutdown_ends; else fail readonly_shutdown_ends "still running 30 s after the boxes"; fi
  check_eq readonly_ini_whole "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$USER_INI")"
  check_eq readonly_log_whole "$(bytes "$dir/Horavia.log")" "$(bytes_of "$OLD_LOG")"
  if no_write_bits "$dir/Horavia.ini" && no_write_bits "$dir/Horavia.log"; then
    pass readonly_files_stay_read_only
  else
    fail readonly_files_stay_read_only "$(stat -c '%n %a' "$dir/Horavia.ini" "$dir/Horavia.log" | tr '\n' ' ')"
  fi
  no_temporary_files readonly
  e2e_standin_stop
fi

# ---- Settings file locked at start-up: defaults, silently. Horavia never
# had the file's settings, so at shut-down, though the file is free again by
# then, it must not put the defaults in its place; it says so instead.
session ini_locked_startup
printf '%s' "$USER_INI" >"$dir/Horavia.ini"
if e2e_lock_file "$dir/Horavia.ini"; then
  if launch ini_locked_startup; then
    if e2e_unlock_file; then pass ini_locked_startup_holder_lets_go; else fail ini_locked_startup_holder_lets_go "holdfile.exe did not end"; fi
    close_with_box ini_locked_startup_shutdown_told "$(unread_ini_message)"
    check_eq ini_locked_startup_whole "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$USER_INI")"
  fi
else
  fail ini_locked_startup_holder "holdfile.exe says: $(tr '\n' ' ' <"$HOLD_OUT")"
fi

# ---- Settings file locked at shut-down only: read at start-up, then held
# by another program; the write fails and is told; the file keeps every byte.
session ini_locked_shutdown
printf '%s' "$USER_INI" >"$dir/Horavia.ini"
if launch ini_locked_shutdown; then
  if e2e_lock_file "$dir/Horavia.ini"; then
    close_with_box ini_locked_shutdown_told "$(ini_message)"
    no_temporary_files ini_locked_shutdown
    if e2e_unlock_file; then pass ini_locked_shutdown_holder_lets_go; else fail ini_locked_shutdown_holder_lets_go "holdfile.exe did not end"; fi
    check_eq ini_locked_shutdown_whole "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$USER_INI")"
  else
    fail ini_locked_shutdown_holder "holdfile.exe says: $(tr '\n' ' ' <"$HOLD_OUT")"
    e2e_close "Horavia (OFF)"
  fi
fi

# ---- Log file a folder: the switch-OFF cannot log the period and says so;
# Horavia goes on, OFF and connected; closing offers the period once more,
# and No closes without it.
session log_folder
printf '%s' "$INI" >"$dir/Horavia.ini"
mkdir "$dir/Horavia.log"
echo "the user's" >"$dir/Horavia.log/keep.txt"
if launch log_folder standin; then
  switch_on log_folder
  e2e_press_button "$win" "$DPI" 0
  expect_box log_folder_switch_off_told "$(log_message 1)"
  if wait_for 10 caption_is "Horavia (OFF)" && wait_for 10 connected && alive; then
    pass log_folder_goes_on_off_and_connected
  else
    fail log_folder_goes_on_off_and_connected "caption '$(e2e_caption "$win")' (see $shot)"
  fi
  close_with_box log_folder_shutdown_asked "$(log_question 1)" no
  if [ -d "$dir/Horavia.log" ] && [ "$(cat "$dir/Horavia.log/keep.txt")" == "the user's" ]; then
    pass log_folder_stays
  else
    fail log_folder_stays "$(ls -la "$dir/Horavia.log" 2>&1 | tr '\n' ' ')"
  fi
  check_eq log_folder_ini_written "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$INI")"
  e2e_standin_stop
fi

# ---- Log file locked at switch-OFF: told, Horavia goes on; the holder lets
# go, and closing logs the period after the old lines.
session log_locked
printf '%s' "$INI" >"$dir/Horavia.ini"
printf '%s' "$OLD_LOG" >"$dir/Horavia.log"
if launch log_locked standin; then
  switch_on log_locked
  if e2e_lock_file "$dir/Horavia.log"; then
    e2e_press_button "$win" "$DPI" 0
    expect_box log_locked_switch_off_told "$(log_message 1)"
    if wait_for 10 caption_is "Horavia (OFF)" && wait_for 10 connected && alive; then
      pass log_locked_goes_on_off_and_connected
    else
      fail log_locked_goes_on_off_and_connected "caption '$(e2e_caption "$win")' (see $shot)"
    fi
    if e2e_unlock_file; then pass log_locked_holder_lets_go; else fail log_locked_holder_lets_go "holdfile.exe did not end"; fi
    check_eq log_locked_whole_while_held "$(bytes "$dir/Horavia.log")" "$(bytes_of "$OLD_LOG")"
    e2e_close "Horavia (OFF)"
    if e2e_wait_exit "$pid" 30; then
      pass log_locked_closes_without_box
    else
      fail log_locked_closes_without_box "still running 30 s after WM_CLOSE$(e2e_has_box && echo ", a box says: $(e2e_box_text | tr '\n' ' ')")"
      e2e_dismiss_box
    fi
    # The old bytes, then one entry: ten columns, the note empty.
    if [ "$(head -c "${#OLD_LOG}" "$dir/Horavia.log" | od -An -c | tr -s ' \n' ' ')" == "$(bytes_of "$OLD_LOG")" ]; then
      pass log_locked_old_lines_kept
    else
      fail log_locked_old_lines_kept "$(od -c "$dir/Horavia.log" | head -n 8 | tr '\n' ' ')"
    fi
    check_eq log_locked_period_logged_at_close \
      "$(tail -c +$((${#OLD_LOG} + 1)) "$dir/Horavia.log" | awk -F '\t' 'NF == 10 && /\t\r$/ { n++ } END { print n + 0 " of " NR }')" "1 of 1"
  else
    fail log_locked_holder "holdfile.exe says: $(tr '\n' ' ' <"$HOLD_OUT")"
    e2e_close "Horavia (ON)"
  fi
  e2e_standin_stop
fi

# ---- Log file locked at shut-down: closing while ON cannot log the period;
# asked, No ends Horavia, and the log keeps every byte.
session log_locked_shutdown
printf '%s' "$INI" >"$dir/Horavia.ini"
printf '%s' "$OLD_LOG" >"$dir/Horavia.log"
if launch log_locked_shutdown standin; then
  switch_on log_locked_shutdown
  if e2e_lock_file "$dir/Horavia.log"; then
    close_with_box log_locked_shutdown_asked "$(log_question 1)" no
    if e2e_unlock_file; then pass log_locked_shutdown_holder_lets_go; else fail log_locked_shutdown_holder_lets_go "holdfile.exe did not end"; fi
    check_eq log_locked_shutdown_whole "$(bytes "$dir/Horavia.log")" "$(bytes_of "$OLD_LOG")"
    check_eq log_locked_shutdown_ini_written "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$INI")"
  else
    fail log_locked_shutdown_holder "holdfile.exe says: $(tr '\n' ' ' <"$HOLD_OUT")"
    e2e_close "Horavia (ON)"
  fi
  e2e_standin_stop
fi
# ---- Log file locked across a switch-OFF and the closing: the first period
# waits, the second joins it; the question at closing lists both. The holder
# lets go while the question is up, and Yes writes both, in their order, with
# the stamps and times the box showed, after the old lines.
holder_lets_go() {
  if e2e_unlock_file; then pass log_retry_holder_lets_go; else fail log_retry_holder_lets_go "holdfile.exe did not end"; fi
}
session log_retry
printf '%s' "$INI" >"$dir/Horavia.ini"
printf '%s' "$OLD_LOG" >"$dir/Horavia.log"
if launch log_retry standin; then
  switch_on log_retry
  if e2e_lock_file "$dir/Horavia.log"; then
    e2e_press_button "$win" "$DPI" 0
    expect_box log_retry_switch_off_told "$(log_message 1)"
    if wait_for 10 caption_is "Horavia (OFF)" && wait_for 10 connected; then
      pass log_retry_off_and_connected
    else
      fail log_retry_off_and_connected "caption '$(e2e_caption "$win")' (see $shot)"
    fi
    switch_on log_retry_again
    close_with_box log_retry_shutdown_asked "$(log_question 2)" yes holder_lets_go
    asked=$(box_flights "$BOX_TEXT")
    check_eq log_retry_old_lines_kept "$(head -c "${#OLD_LOG}" "$dir/Horavia.log" | od -An -c | tr -s ' \n' ' ')" "$(bytes_of "$OLD_LOG")"
    check_eq log_retry_both_logged_in_order "$(log_flights "$dir/Horavia.log" "${#OLD_LOG}")" "$asked"
    check_eq log_retry_two_flights_asked "$(grep -c . <<<"$asked")" 2
    check_eq log_retry_ini_written "$(bytes "$dir/Horavia.ini")" "$(bytes_of "$INI")"
  else
    fail log_retry_holder "holdfile.exe says: $(tr '\n' ' ' <"$HOLD_OUT")"
    e2e_close "Horavia (ON)"
  fi
  e2e_standin_stop
fi
exit "$E2E_FAILED"
