#!/usr/bin/env bash
# A simulator that takes a written second as 0: after Start, Horavia learns
# it from the read that follows its write, sets the clock right at the next
# full minute of the PC clock, and then leaves it alone.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail zeroed_seconds_environment "see above"; exit 1; }

unset HORAVIA_DPI
readonly CAPTION_RE='^Horavia \((ON|OFF)\)$'
readonly INTERVAL=5

# Seconds of the day of the stand-in's local clock, from a fresh "state" line.
standin_seconds() {
  local mark line
  mark=$(e2e_journal_mark)
  e2e_standin_send state
  wait_for 10 e2e_journal_has "$mark" '^state local ' || return 1
  line=$(e2e_journal_since "$mark" | grep -m1 '^state local ')
  local hms=${line#state local }
  hms=${hms%% *}
  echo $((10#${hms:0:2} * 3600 + 10#${hms:3:2} * 60 + 10#${hms:6:2}))
}

pc_seconds() { echo $((10#$(date +%H) * 3600 + 10#$(date +%M) * 60 + 10#$(date +%S))); }

# |a - b| on a clock of one day.
clock_distance() {
  local d=$((($1 - $2 + 86400) % 86400))
  ((d > 43200)) && d=$((86400 - d))
  echo "$d"
}

caption_is() { [ "$(e2e_caption "$win")" == "$1" ]; }
connected() { e2e_lamp_is "$shot" 96 "$win" 0 red; }
time_writes() { e2e_journal_count "$1" '^write 0x0238 '; }

dir=$(e2e_program_folder)
shot="$E2E_ARTIFACTS/zeroed_seconds.png"
printf 'SYNC_INTERVAL=%s\r\nLOG_SECOND_MIN=60\r\nSM_TIMEOUT_RETRY=40\r\n' "$INTERVAL" >"$dir/Horavia.ini"
if ! e2e_standin_start "$dir" --zero-seconds; then
  fail zeroed_seconds_standin_starts "see $STANDIN_JOURNAL"
  exit 1
fi
# Two hours off, so that the start's write shows.
e2e_standin_send "drift 7200"
e2e_start "$dir"
if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
  fail zeroed_seconds_window_opens "no window within 60 s"
  exit 1
fi
win=$(e2e_window "$CAPTION_RE")
wait_for 30 connected || { fail zeroed_seconds_connects "(see $shot)"; e2e_close "Horavia (OFF)"; exit 1; }

# Start at least 5 seconds before a full minute, so that the start's own
# write has a second the simulator visibly drops.
wait_for 60 test "$(date +%S | sed 's/^0//')" -ge 5 -a "$(date +%S | sed 's/^0//')" -le 50
mark=$(e2e_journal_mark)
e2e_press_button "$win" 96 0
started=$(pc_seconds)
if wait_for 10 caption_is "Horavia (ON)"; then pass zeroed_seconds_switched_on; else fail zeroed_seconds_switched_on "caption '$(e2e_caption "$win")'"; fi
check_eq zeroed_seconds_start_writes_once "$(time_writes "$mark")" 1

# The next full minute after the start, plus one sync interval.
boundary=$(((started / 60 + 1) * 60))
wait_for 90 test "$(clock_distance "$(pc_seconds)" "$boundary")" -ge "$INTERVAL" -a "$(time_writes "$mark")" -ge 2
check_eq zeroed_seconds_written_at_the_minute "$(time_writes "$mark")" 2
distance=$(clock_distance "$(standin_seconds)" "$(pc_seconds)")
if ((distance <= 2)); then
  pass zeroed_seconds_clock_right_after_the_minute
else
  fail zeroed_seconds_clock_right_after_the_minute "the stand-in is ${distance} s from the PC clock"
fi

# Left alone for the next 40 seconds: a new write would show at once.
after=$(e2e_journal_mark)
if wait_for 40 e2e_journal_has "$after" '^write 0x0238 '; then
  fail zeroed_seconds_left_alone "written again: $(e2e_journal_since "$after" | grep -m1 '^write 0x0238 ')"
else
  pass zeroed_seconds_left_alone
fi

e2e_close "Horavia (ON)"
e2e_wait_exit "$HORAVIA_PID" 30 || fail zeroed_seconds_closes "still running"
e2e_standin_stop
exit "$E2E_FAILED"
