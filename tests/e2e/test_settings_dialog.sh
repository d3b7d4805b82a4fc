#!/usr/bin/env bash
# The settings window opened from the main window's "Settings" command and
# driven with the keyboard: a Start hot key of CTRL+A and a sync interval of
# 5 seconds, OK with Enter. The settings file is written only when Horavia
# closes, and then holds exactly those values in its fixed order.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_require || { fail settings_dialog_environment "see above"; exit 1; }

unset HORAVIA_DPI
readonly CAPTION="Horavia (OFF)"
readonly DIALOG_RE='^Horavia Settings$'
readonly EXPECTED_INI=$'SYNC_INTERVAL=5\r\nLOG_SECOND_MIN=60\r\nSTART_HK=65\r\nSTART_HKCS=1\r\nSM_TIMEOUT_RETRY=40\r\n'
readonly DPI=96

dialog_gone() { ! e2e_has_window "$DIALOG_RE"; }

dir=$(e2e_program_folder)
rm -f "$dir/Horavia.ini"
e2e_start_on_information_frame settings "$dir" || exit 1
win=$MAIN_WIN pid=$HORAVIA_PID

# "Settings" in lblSettings, which starts 720 twips into Frame4.
e2e_click_twips "$win" "$DPI" $((1920 + 720 + 200)) $((480 + 127))
if ! wait_for 20 e2e_has_window "$DIALOG_RE"; then
  fail settings_dialog_opens "no \"Horavia Settings\" window (see $E2E_ARTIFACTS)"
  e2e_close "$CAPTION"
  exit 1
fi
pass settings_dialog_opens
dialog=$(e2e_window "$DIALOG_RE")
# A picture of the dialog for the read-me, once its last control, the log
# minimum's list, shows its bright green "60".
log_list_drawn() {
  local n
  e2e_screenshot "$E2E_ARTIFACTS/settings-dialog-full.png" || return 1
  n=$(e2e_count_colour "$E2E_ARTIFACTS/settings-dialog-full.png" \
    "$(e2e_region "$DPI" "$dx" "$dy" 4080 1440 855 330)" "rgb(0,255,0)" 0%)
  ((${n:-0} >= 10))
}
read -r dx dy dw dh < <(e2e_geometry "$dialog")
if wait_for 20 log_list_drawn; then
  convert "$E2E_ARTIFACTS/settings-dialog-full.png" -crop "${dw}x${dh}+${dx}+${dy}" +repage \
    "$E2E_ARTIFACTS/settings-dialog.png" 2>/dev/null
  pass settings_dialog_drawn
else
  fail settings_dialog_drawn "the log minimum's list never showed its value"
fi

# Focus starts on OK; the tab order runs OK, Cancel, the Start list, its
# CTRL box, ..., the sync list at 11. A list picks the next item that starts
# with the typed key, so Home first makes "5" mean 5 and not 50.
e2e_focus "$dialog"
xdotool key --clearmodifiers Tab Tab A Tab space \
  Tab Tab Tab Tab Tab Tab Tab Tab Home 5 Return
if wait_for 20 dialog_gone; then
  pass settings_dialog_closes_on_enter
else
  fail settings_dialog_closes_on_enter "the dialog is still open after Enter"
  e2e_close "Horavia Settings"
fi

if [ -e "$dir/Horavia.ini" ]; then
  fail settings_file_waits_for_shutdown "Horavia.ini was written while Horavia runs"
else
  pass settings_file_waits_for_shutdown
fi

if e2e_close "$CAPTION" && e2e_wait_exit "$pid" 30; then
  pass settings_main_window_closes
else
  fail settings_main_window_closes "still running 30 s after WM_CLOSE"
  exit 1
fi

if [ ! -f "$dir/Horavia.ini" ]; then
  fail settings_file_holds_choices "no Horavia.ini"
elif [ "$(cat "$dir/Horavia.ini"; echo x)" == "${EXPECTED_INI}x" ]; then
  pass settings_file_holds_choices
else
  fail settings_file_holds_choices "Horavia.ini is: $(od -c "$dir/Horavia.ini" | head -n 8 | tr '\n' ' ')"
fi
exit "$E2E_FAILED"
