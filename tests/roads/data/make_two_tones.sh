#!/usr/bin/env bash
# Makes two-tones.mp3: 2 s of 80 Hz and 3 kHz together, mono, 44.1 kHz, 128 kbit/s, the
# sound the audio road plays through the equaliser (needs sox and lame).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sox -n -r 44100 -c 1 -b 16 "$tmp/low.wav" synth 2.0 sine 80 vol 0.27
sox -n -r 44100 -c 1 -b 16 "$tmp/high.wav" synth 2.0 sine 3000 vol 0.09
sox -m "$tmp/low.wav" "$tmp/high.wav" "$tmp/mix.wav"
lame --silent -b 128 -m m "$tmp/mix.wav" two-tones.mp3
