#!/usr/bin/env bash
# Makes Horavia's four sounds with SoX, into the folder of this script:
#   sound_button.wav   a short, dry click
#   sound_sync.wav     a soft two-note chime
#   sound_warning.wav  a two-tone warning, high-low twice
#   sound_start.wav    a rising four-note start
# All are 22050 Hz, mono, 16-bit PCM and under a second. Nothing is random
# and no dither is added (-D), so every run writes the same bytes. The WAV
# files are committed; run this again only to change a sound.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

format=(-r 22050 -c 1 -b 16 -e signed-integer)

# note FILE WAVE FREQUENCY LENGTH VOLUME DELAY SHAPE [RELEASE]
# One note that starts DELAY seconds in, rises within 3 ms and then dies
# away in SHAPE (l: a bell's quick decay) over its whole length, or holds and
# is released in SHAPE over its last RELEASE seconds. The gentle ends keep
# the speaker from clicking.
note() {
  local file=$1 wave=$2 frequency=$3 length=$4 volume=$5 delay=$6 shape=$7
  local release=${8:-$(awk "BEGIN { print $length - 0.003 }")}
  sox -R -D -n "${format[@]}" "$work/$file.wav" \
    synth "$length" "$wave" "$frequency" \
    fade "$shape" 0.003 "$length" "$release" \
    vol "$volume" pad "$delay" 0
}

# mix OUTPUT PEAK_DB FILE...: the notes laid over one another, brought to a
# fixed peak level.
mix() {
  local output=$1 peak=$2
  shift 2
  local inputs=()
  for file in "$@"; do inputs+=("$work/$file.wav"); done
  if [ "${#inputs[@]}" -eq 1 ]; then
    sox -R -D "${inputs[0]}" "${format[@]}" "$output" gain -n "$peak"
  else
    sox -R -D -m "${inputs[@]}" "${format[@]}" "$output" gain -n "$peak"
  fi
}

# Button: two high partials that are gone within 40 ms.
note click_high sine 2400 0.035 1.0 0 l
note click_low sine 1200 0.040 0.6 0 l
mix sound_button.wav -9 click_high click_low

# Sync: G5 then C6, each with a faint bell overtone, ringing out together.
note chime_g sine 784 0.55 1.0 0 l
note chime_g_overtone sine 2164 0.20 0.15 0 l
note chime_c sine 1046.5 0.60 1.0 0.12 l
note chime_c_overtone sine 2888 0.20 0.15 0.12 l
mix sound_sync.wav -6 chime_g chime_g_overtone chime_c chime_c_overtone

# Warning: A5 and D5, high-low twice, in a soft triangle wave.
note warn_high_1 triangle 880 0.16 1.0 0 q 0.03
note warn_low_1 triangle 587.3 0.16 1.0 0.18 q 0.03
note warn_high_2 triangle 880 0.16 1.0 0.36 q 0.03
note warn_low_2 triangle 587.3 0.16 1.0 0.54 q 0.03
mix sound_warning.wav -8 warn_high_1 warn_low_1 warn_high_2 warn_low_2

# Start: C5, E5, G5, C6 rising, each ringing into the next.
note start_1 sine 523.25 0.30 1.0 0 l
note start_2 sine 659.25 0.30 1.0 0.09 l
note start_3 sine 784 0.30 1.0 0.18 l
note start_4 sine 1046.5 0.40 1.0 0.27 l
mix sound_start.wav -5 start_1 start_2 start_3 start_4

echo "wrote assets/sound_button.wav, sound_sync.wav, sound_warning.wav, sound_start.wav"
