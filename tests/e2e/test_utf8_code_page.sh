#!/usr/bin/env bash
# The real program on a Windows whose ANSI code page is UTF-8 (65001), as
# with a locale that has no ANSI code page of its own, Hindi (India): a
# switch-OFF logs the period with the long date in that locale, as valid
# UTF-8 beyond ASCII, and sends the OFF status text; no box comes up.
#
# Wine takes the Windows locale from the glibc locale of the process: the
# locale must exist for glibc, or Wine falls back to English and code page
# 1252. `./horavia test` makes it from glibc's sources in the build folder
# (HORAVIA_UTF8_LOCPATH); without it this test fails rather than pass in
# another code page.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail utf8_environment "see above"; exit 1; }
[ -f "$E2E_STANDIN" ] || { fail utf8_environment "no $E2E_STANDIN"; exit 1; }
readonly LOCALE_LANG=${HORAVIA_UTF8_LANG:-hi_IN.UTF-8}
readonly LOCALE_PATH=${HORAVIA_UTF8_LOCPATH:-$HORAVIA_BUILD/locale}
if [ -d "$LOCALE_PATH/$LOCALE_LANG" ] && LOCPATH=$LOCALE_PATH LC_ALL=$LOCALE_LANG locale charmap 2>/dev/null | grep -qx UTF-8; then
  pass utf8_locale_present
else
  fail utf8_locale_present "no glibc locale $LOCALE_LANG in $LOCALE_PATH (./horavia test makes it)"
  exit 1
fi

unset HORAVIA_DPI
readonly DPI=96
readonly CAPTION_RE='^Horavia \((ON|OFF)\)$'
readonly INI=$'SYNC_INTERVAL=1\r\nLOG_SECOND_MIN=1\r\n'
# " HVA: OFF" as the stand-in journals the message text written.
readonly OFF_TEXT='^write 0x3380 128 20 48 56 41 3a 20 4f 46 46 00 '

caption_is() { [ "$(e2e_caption "$win")" == "$1" ]; }
connected() { e2e_lamp_is "$shot" "$DPI" "$win" 1 red || e2e_lamp_is "$shot" "$DPI" "$win" 0 green; }
# The log's last line: ten columns, the note empty.
last_entry() { tail -n 1 "$dir/Horavia.log" 2>/dev/null | tr -d '\r'; }
entry_written() { [ "$(last_entry | awk -F '\t' '{ print NF }')" == 10 ]; }

dir=$(e2e_program_folder)
shot="$E2E_ARTIFACTS/utf8_code_page.png"
printf '%s' "$INI" >"$dir/Horavia.ini"
e2e_standin_start "$dir" || { fail utf8_standin_starts "see $STANDIN_JOURNAL"; exit 1; }
e2e_start "$dir" LC_ALL= LANG="$LOCALE_LANG" LOCPATH="$LOCALE_PATH"
pid=$HORAVIA_PID
if ! wait_for 60 e2e_has_window "$CAPTION_RE"; then
  fail utf8_starts "no window within 60 s$(e2e_has_box && echo ", a box says: $(e2e_box_text | tr '\n' ' ')")"
  exit 1
fi
win=$(e2e_window "$CAPTION_RE")
if wait_for 20 e2e_journal_has 0 '^read 0x0238 ' && wait_for 20 connected; then
  pass utf8_connects
else
  fail utf8_connects "no connection to the stand-in (see $shot)"
fi

mark=$(e2e_journal_mark)
e2e_press_button "$win" "$DPI" 0
if wait_for 10 caption_is "Horavia (ON)" && wait_for 15 e2e_journal_at_least "$mark" '^read 0x0366 ' 3; then
  pass utf8_switched_on
else
  fail utf8_switched_on "caption '$(e2e_caption "$win")' after a click on Start"
fi

mark=$(e2e_journal_mark)
e2e_press_button "$win" "$DPI" 0
if wait_for 10 caption_is "Horavia (OFF)"; then pass utf8_switched_off; else fail utf8_switched_off "caption '$(e2e_caption "$win")'"; fi
if wait_for 10 e2e_journal_has "$mark" "$OFF_TEXT"; then
  pass utf8_off_text_sent
else
  fail utf8_off_text_sent "no \" HVA: OFF\" write after the switch-OFF"
fi
if wait_for 10 entry_written; then pass utf8_entry_written; else fail utf8_entry_written "the log ends in: $(last_entry)"; fi
long_date=$(last_entry | cut -f 1)
if printf '%s' "$long_date" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1 && LC_ALL=C grep -q $'[\x80-\xff]' <<<"$long_date"; then
  pass utf8_long_date_valid_beyond_ascii
else
  fail utf8_long_date_valid_beyond_ascii "column 1 is: $(printf '%s' "$long_date" | od -An -c | tr -s ' \n' ' ')"
fi
if e2e_has_box; then
  fail utf8_no_box "a box says: $(e2e_box_text | tr '\n' ' ')"
  e2e_dismiss_box
else
  pass utf8_no_box
fi

e2e_close "Horavia (OFF)"
if e2e_wait_exit "$pid" 30; then pass utf8_closes; else fail utf8_closes "still running 30 s after WM_CLOSE"; fi
e2e_standin_stop
exit "$E2E_FAILED"
