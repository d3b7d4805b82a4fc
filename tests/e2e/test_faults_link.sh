#!/usr/bin/env bash
# The real program against a simulator that misbehaves. One session with the
# stand-in: it hangs mid-session while ON (the exchange gives up after the
# two sends that SM_TIMEOUT_RETRY=1 allows, Horavia switches OFF, logs the
# period and shows the not-connected state; it reconnects once the stand-in
# answers again), rejects every message, spoils the block in each of five
# ways, reports too old an interface version, and vanishes while it holds an
# exchange. Then a second session in which the name of the link's shared
# block is taken before Horavia starts. After every fault Horavia must be
# alive, tell nobody with a message box (the link's failures are shown by the
# not-connected display alone), retry quietly, and connect again when the
# fault is gone; at the end it closes as asked with its files whole.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail faults_link_environment "see above"; exit 1; }
for tool in "$E2E_STANDIN" "$E2E_STARTWITHMAPPING"; do
  [ -f "$tool" ] || { fail faults_link_environment "no $tool"; exit 1; }
done

unset HORAVIA_DPI
readonly DPI=96
readonly CAPTION_RE='^Horavia \((ON|OFF)\)$'
# A sync cycle every second, a log entry for any period over a second, and
# two sends of 2 s each before an exchange counts as failed.
readonly INI=$'SYNC_INTERVAL=1\r\nLOG_SECOND_MIN=1\r\nSM_TIMEOUT_RETRY=1\r\n'
readonly HEADER=$'Date\tDate (YYYY/MM/DD)\tTime\tElapsed Flight\tElapsed Flight (Seconds)\tElapsed Ground\tElapsed Ground (Seconds)\tElapsed Total\tElapsed Total (Seconds)\tNotes\r'

dir=$(e2e_program_folder)
printf '%s' "$INI" >"$dir/Horavia.ini"
shot="$E2E_ARTIFACTS/faults_link.png"

caption_is() { [ "$(e2e_caption "$win")" == "$1" ]; }
# Buttons 0 and 1 are red (or 0 green while ON) exactly while connected,
# grey while not.
connected() { e2e_lamp_is "$shot" "$DPI" "$win" 1 red || e2e_lamp_is "$shot" "$DPI" "$win" 0 green; }
not_connected() { e2e_lamp_is "$shot" "$DPI" "$win" 0 grey && e2e_lamp_is "$shot" "$DPI" "$win" 1 grey; }
alive() { kill -0 "$pid" 2>/dev/null && e2e_has_window "$CAPTION_RE"; }
ms_since() { echo $(((${EPOCHREALTIME/./} - ${1/./}) / 1000)); }

# check_alive CASE: Horavia runs, with its window, and shows no message box.
check_alive() {
  if ! alive; then
    fail "${1}_horavia_alive" "Horavia.exe ended or lost its window"
  elif e2e_has_box; then
    fail "${1}_no_message_box" "a \"Horavia\" box says: $(e2e_box_text | tr '\n' ' ')"
    e2e_dismiss_box
  else
    pass "${1}_horavia_alive_without_message"
  fi
}

# recovers CASE COMMAND: after COMMAND the stand-in serves the time again and
# the buttons come back; Horavia stays OFF.
recovers() {
  local name=$1 command=$2 mark
  mark=$(e2e_journal_mark)
  e2e_standin_send "$command"
  if wait_for 20 e2e_journal_has "$mark" '^read 0x0238 ' && wait_for 10 connected; then
    pass "${name}_reconnects"
  else
    fail "${name}_reconnects" "no time read and no red buttons 20 s after \"$command\" (see $shot)"
  fi
  check_eq "${name}_stays_off" "$(e2e_caption "$win")" "Horavia (OFF)"
}

# switch_on CASE: Start, then three chronometer steps, so that the period is
# long enough to be logged.
switch_on() {
  local mark
  e2e_press_button "$win" "$DPI" 0
  mark=$(e2e_journal_mark)
  if wait_for 10 caption_is "Horavia (ON)" && wait_for 15 e2e_journal_at_least "$mark" '^read 0x0366 ' 3; then
    pass "${1}_switched_on"
  else
    fail "${1}_switched_on" "caption '$(e2e_caption "$win")' after a click on Start"
  fi
}

# log_entries: the number of well-formed entry lines under the header.
log_entries() {
  [ -f "$dir/Horavia.log" ] || { echo 0; return; }
  if [ "$(head -n 1 "$dir/Horavia.log")" != "$HEADER" ]; then echo "bad header"; return; fi
  tail -n +2 "$dir/Horavia.log" | awk -F '\t' 'NF == 10 && /\t\r$/ { n++ } END { print n + 0 }'
}

e2e_standin_start "$dir" || { fail faults_link_standin_starts "see $STANDIN_JOURNAL"; exit 1; }
e2e_start "$dir"
pid=$HORAVIA_PID
if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
  fail faults_link_window_opens "no window within 60 s"
  exit 1
fi
win=$(e2e_window "$CAPTION_RE")
if wait_for 20 e2e_journal_has 0 '^read 0x0238 ' && wait_for 20 connected; then
  pass faults_link_connects
else
  fail faults_link_connects "no connection to the stand-in (see $STANDIN_JOURNAL, $shot)"
  exit 1
fi

# ---- Hang: the stand-in holds every message past the client's time-out.
switch_on hang
mark=$(e2e_journal_mark)
started=$EPOCHREALTIME
e2e_standin_send hang
if wait_for 40 caption_is "Horavia (OFF)"; then
  took=$(ms_since "$started")
  # One exchange gives up, after 2 sends of 2000 ms and one pause of 100 ms:
  # the chronometer step's read. The sync cycle of the same tick does not
  # ask again, and no OFF line is sent to a simulator that does not answer
  # (the new caption shows once that handler returns): 4.1 s, plus up to one
  # sync interval before the first send. No retry would take 2 s, two
  # retries 6.2 s, a second exchange in the tick 8.2 s, the default of 40
  # retries nearly a minute and a half.
  if ((took >= 3500 && took <= 6100)); then
    pass hang_times_out_as_set
  else
    fail hang_times_out_as_set "switched OFF after $took ms, wanted 4100 to 5100 ms and some slack"
  fi
else
  fail hang_times_out_as_set "still '$(e2e_caption "$win")' 40 s after the hang began"
fi
if wait_for 10 not_connected; then pass hang_shows_not_connected; else fail hang_shows_not_connected "buttons 0 and 1 not grey (see $shot)"; fi
if e2e_journal_has "$mark" '^hang$'; then pass hang_reached_the_simulator; else fail hang_reached_the_simulator "no message was held"; fi
check_eq hang_period_logged "$(log_entries)" 1
check_alive hang
recovers hang answer

# ---- Reject: every message is answered with 0.
mark=$(e2e_journal_mark)
e2e_standin_send reject
if wait_for 10 not_connected; then pass reject_shows_not_connected; else fail reject_shows_not_connected "buttons 0 and 1 not grey (see $shot)"; fi
# Reconnection attempts go on, every half second, and each is refused.
if wait_for 10 e2e_journal_at_least "$mark" '^answer 0 rejected$' 5; then
  pass reject_retries_quietly
else
  fail reject_retries_quietly "$(e2e_journal_count "$mark" '^answer 0 rejected$') rejected messages in 10 s"
fi
check_alive reject
recovers reject normal

# ---- Garbage: the block comes back spoiled after being served.
for kind in type size token offset end; do
  mark=$(e2e_journal_mark)
  e2e_standin_send "garbage $kind"
  if wait_for 10 e2e_journal_has "$mark" "^garbage $kind\$" && wait_for 10 not_connected; then
    pass "garbage_${kind}_shows_not_connected"
  else
    fail "garbage_${kind}_shows_not_connected" "buttons 0 and 1 not grey (see $shot, $STANDIN_JOURNAL)"
  fi
  # Every further attempt is spoiled as well and refused.
  if wait_for 10 e2e_journal_at_least "$mark" "^garbage $kind\$" 3; then
    pass "garbage_${kind}_retries_quietly"
  else
    fail "garbage_${kind}_retries_quietly" "$(e2e_journal_count "$mark" "^garbage $kind\$") spoiled answers in 10 s"
  fi
  check_alive "garbage_$kind"
  recovers "garbage_$kind" normal
done

# ---- Bad version: the interface version is one too old. It is read only
# when the link opens, so the connection is broken once by a rejection.
e2e_standin_send badversion
e2e_standin_send reject
if wait_for 10 not_connected; then pass badversion_link_broken; else fail badversion_link_broken "still connected (see $shot)"; fi
mark=$(e2e_journal_mark)
e2e_standin_send normal
# The handshake is served, again and again, and refused by Horavia.
if wait_for 10 e2e_journal_at_least "$mark" '^read 0x3304 4 04 00 98 19$' 4; then
  pass badversion_handshakes_refused
else
  fail badversion_handshakes_refused "$(e2e_journal_count "$mark" '^read 0x3304 ') handshakes in 10 s"
fi
if e2e_journal_has "$mark" '^read 0x0238 '; then
  fail badversion_never_connects "the time was read (see $STANDIN_JOURNAL)"
elif ! not_connected; then
  fail badversion_never_connects "buttons 0 and 1 are not grey (see $shot)"
else
  pass badversion_never_connects
fi
check_alive badversion
recovers badversion "version 19980005 FADE000C"

# ---- Vanish: the stand-in dies while it holds one of Horavia's messages.
switch_on vanish
mark=$(e2e_journal_mark)
e2e_standin_send hang
if wait_for 10 e2e_journal_has "$mark" '^hang$'; then
  kill -KILL "$STANDIN_PID" 2>/dev/null
  wait "$STANDIN_PID" 2>/dev/null
  exec {STANDIN_FD}>&-
  started=$EPOCHREALTIME
  # The send under way fails at once, or at the latest at its time-out.
  if wait_for 15 caption_is "Horavia (OFF)" && wait_for 10 not_connected; then
    pass vanish_shows_not_connected
  else
    fail vanish_shows_not_connected "caption '$(e2e_caption "$win")' $(ms_since "$started") ms after the kill (see $shot)"
  fi
  check_eq vanish_period_logged "$(log_entries)" 2
  check_alive vanish
  # A simulator that comes back is found by the half-second retries.
  mkdir -p "$dir/second"
  if e2e_standin_start "$dir/second"; then
    if wait_for 20 e2e_journal_has 0 '^read 0x0238 ' && wait_for 10 connected; then
      pass vanish_reconnects_to_new_simulator
    else
      fail vanish_reconnects_to_new_simulator "no time read by the new stand-in (see $STANDIN_JOURNAL)"
    fi
  else
    fail vanish_reconnects_to_new_simulator "the second stand-in did not start"
  fi
else
  fail vanish_shows_not_connected "no exchange was held by the stand-in"
fi

# ---- Closing: the settings go back whole, the log holds the two periods.
if e2e_close "Horavia (OFF)" && e2e_wait_exit "$pid" 30; then
  pass faults_link_closes
else
  fail faults_link_closes "still running 30 s after WM_CLOSE"
fi
check_eq faults_link_settings_whole "$(od -An -c "$dir/Horavia.ini" | tr -s ' \n' ' ')" "$(printf '%s' "$INI" | od -An -c | tr -s ' \n' ' ')"
check_eq faults_link_log_whole "$(log_entries) entries, $(wc -l <"$dir/Horavia.log") lines" "2 entries, 3 lines"
check_eq faults_link_no_temporary_files "$(find "$dir" -maxdepth 1 -iname '*.tmp' | wc -l)" 0
e2e_standin_stop
cp "$dir/standin.journal" "$E2E_ARTIFACTS/faults_link.journal"
cp "$dir/second/standin.journal" "$E2E_ARTIFACTS/faults_link_second.journal" 2>/dev/null

# ---- Taken block name: another process made a mapping of the very name
# the link will ask for, before Horavia ran a single instruction.
dir=$(e2e_program_folder)
printf '%s' "$INI" >"$dir/Horavia.ini"
shot="$E2E_ARTIFACTS/faults_link_mapping.png"
e2e_standin_start "$dir" || { fail mapping_standin_starts "see $STANDIN_JOURNAL"; exit 1; }
mkfifo "$dir/mapping.commands"
: >"$dir/mapping.out"
"$E2E_WINE" "$E2E_STARTWITHMAPPING" "$(e2e_winpath "$dir/Horavia.exe")" \
  <"$dir/mapping.commands" >"$dir/mapping.out" 2>>"$E2E_ARTIFACTS/wine.log" &
pid=$!
E2E_PIDS+=("$pid")
exec {MAPPING_FD}>"$dir/mapping.commands"
said() { tr -d '\r' <"$dir/mapping.out" | grep -qE "$1"; }
if wait_for 30 said '^mapped FSASMLIB:IPC:[0-9A-F]+:1$'; then
  pass mapping_taken_before_start
else
  fail mapping_taken_before_start "the tool says: $(tr '\n' ' ' <"$dir/mapping.out")"
  exit 1
fi
if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
  fail mapping_window_opens "no window within 60 s"
  exit 1
fi
win=$(e2e_window "$CAPTION_RE")
if wait_for 20 not_connected; then pass mapping_shows_not_connected; else fail mapping_shows_not_connected "see $shot"; fi
# Horavia finds the simulator's window but not a block of its own, so it
# must send nothing at all. Absence has no event to wait for: eight retries'
# worth of time is watched, and must pass without a message.
if wait_for 4 e2e_journal_has 0 '^(read 0x|write 0x|answer|hang)'; then
  fail mapping_taken_never_sends "the stand-in was sent a block: $(e2e_journal_since 0 | head -n 3 | tr '\n' ' ')(the tool said: $(tr -d '\r' <"$dir/mapping.out" | tr '\n' ' '))"
else
  pass mapping_taken_never_sends
fi
check_alive mapping
printf 'release\n' >&"$MAPPING_FD"
if wait_for 10 said '^released$' &&
  wait_for 20 e2e_journal_has 0 '^read 0x0238 ' && wait_for 10 connected; then
  pass mapping_released_connects
else
  fail mapping_released_connects "no connection after the name was freed (see $STANDIN_JOURNAL)"
fi
if e2e_close "Horavia (OFF)" && e2e_wait_exit "$pid" 30; then
  check_eq mapping_closes "$(tr -d '\r' <"$dir/mapping.out" | tail -n 1)" "exited 0"
else
  fail mapping_closes "still running 30 s after WM_CLOSE"
fi
exec {MAPPING_FD}>&-
check_eq mapping_settings_whole "$(od -An -c "$dir/Horavia.ini" | tr -s ' \n' ' ')" "$(printf '%s' "$INI" | od -An -c | tr -s ' \n' ' ')"
e2e_standin_stop
cp "$STANDIN_JOURNAL" "$E2E_ARTIFACTS/faults_link_mapping.journal"
exit "$E2E_FAILED"
