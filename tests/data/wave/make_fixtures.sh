#!/usr/bin/env bash
# Writes the WAVE files the sound tests load, made by sox, with sox's own report of each:
# <name>.soxi holds "rate channels bits samples" (samples per channel) as soxi gives them.
# The results are committed; run this again only to change the set.
set -euo pipefail
cd "$(dirname "$0")"

sox -n -r 8000 -b 8 -c 1 u8_mono_8000.wav synth 0.0051 sine 440          # 41 samples: odd data chunk
sox -n -r 11025 -b 8 -c 2 u8_stereo_11025.wav synth 0.01 sine 300 sine 500
sox -n -r 22050 -b 16 -c 1 s16_mono_22050.wav synth 0.01 sine 440
sox -n -r 44100 -b 16 -c 2 s16_stereo_44100.wav synth 0.01 sine 440 sine 660

# The 16-bit mono sound again, with a "LIST" chunk and an odd-length chunk (and its pad byte)
# between "fmt " and "data".
le32() {
  printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)))"
}
{
  head -c 36 s16_mono_22050.wav
  printf 'LIST'; le32 26; printf 'INFOICMT'; le32 14; printf 'sound tests.\0\0'
  printf 'odd '; le32 5; printf 'abcde\0'
  tail -c +37 s16_mono_22050.wav
} > s16_mono_extra_chunks.wav
size=$(stat -c %s s16_mono_extra_chunks.wav)
le32 $((size - 8)) | dd of=s16_mono_extra_chunks.wav bs=1 seek=4 conv=notrunc status=none

for f in *.wav; do
  echo "$(soxi -r "$f") $(soxi -c "$f") $(soxi -b "$f") $(soxi -s "$f")" > "${f%.wav}.soxi"
done
