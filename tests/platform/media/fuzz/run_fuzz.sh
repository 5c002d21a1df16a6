#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds one libFuzzer target (clang++ -fsanitize=fuzzer,address,undefined) and fuzzes it
# for a bounded time, seeded with its fixtures. Every input that crashes, leaks, breaks an
# invariant or runs longer than the per-input time limit is a finding: it is copied into
# the build directory and named on the output. Keep each one, unchanged, in the target's
# fixture folder, where the regression tests read it.
#   run_fuzz.sh TARGET SOURCE_DIR WORK_DIR [SECONDS]
# TARGET is smf (the MIDI file reader), mp3 (the MP3/ID3 decoding path) or soundfont (the
# SoundFont check in front of FluidSynth's loader, and the presets cut out for it).
# Exits 77 (skipped) when clang++ or its fuzzer runtime is missing.
set -uo pipefail
target="$1"
src="$2"
work="$3/$target"
seconds="${4:-${XMASCARD_FUZZ_SECONDS:-20}}"
# An input that takes longer than this is a finding: a file on disk must never stall the card.
per_input_seconds="${XMASCARD_FUZZ_INPUT_SECONDS:-5}"
here="$src/tests/platform/media/fuzz"
fixtures="$src/tests/platform/media/fixtures"
media="$src/src/platform/media"
case "$target" in
  smf)
    sources=("$media/smf_reader.cpp" "$here/smf_reader_fuzz.cpp")
    libs=()
    seeds=("$fixtures/smf")
    max_len=4096
    ;;
  mp3)
    sources=("$media/mp3_decoder.cpp" "$here/mp3_decoder_fuzz.cpp")
    libs=($(pkg-config --libs libmpg123))
    seeds=("$fixtures/sine_22050.mp3" "$fixtures/sine_48000.mp3" "$fixtures/mp3")
    max_len=4096
    ;;
  soundfont)
    sources=("$media/fluidsynth/sound_font_check.cpp" "$media/fluidsynth/sound_font.cpp"
             "$media/fluidsynth/sound_font_subset.cpp" "$media/fluidsynth/memory_sound_font.cpp"
             "$media/fluidsynth/fluid_synthesizer.cpp" "$media/fluidsynth/fluid_support.cpp"
             "$src/src/platform/io/regular_file.cpp" "$src/src/platform/io/safe_file.cpp"
             "$src/src/platform/io/whole_files.cpp" "$src/src/platform/io/stale_temporaries.cpp"
             "$here/sound_font_check_fuzz.cpp")
    libs=($(pkg-config --libs fluidsynth glib-2.0))
    seeds=("$fixtures/sf2")
    max_len=8192
    ;;
  *)
    echo "unknown fuzz target $target"
    exit 2
    ;;
esac
cxx="${CLANGXX:-$(command -v clang++ || command -v clang++-14 || true)}"
if [ -z "$cxx" ]; then
  echo "SKIP: clang++ not found (install clang and libclang-rt-14-dev)"
  exit 77
fi
mkdir -p "$work/corpus" "$work/artifacts"
exe="$work/${target}_fuzz"
if ! "$cxx" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$src/src" $(pkg-config --cflags fluidsynth glib-2.0) "${sources[@]}" \
    "${libs[@]}" -o "$exe" 2>"$work/build.log"; then
  if grep -q -i "fuzzer\|cannot find\|no such file" "$work/build.log"; then
    echo "SKIP: clang++ cannot build a libFuzzer target here:"
    head -5 "$work/build.log"
    exit 77
  fi
  cat "$work/build.log"
  exit 1
fi
for seed in "${seeds[@]}"; do
  if [ -d "$seed" ]; then cp "$seed"/* "$work/corpus/" 2>/dev/null || true; else cp "$seed" "$work/corpus/"; fi
done
# Leaks inside the libraries (FluidSynth's loader on a damaged bank) are theirs, not ours.
LSAN_OPTIONS="suppressions=$src/tools/lsan.supp:print_suppressions=0" \
"$exe" "$work/corpus" -max_total_time="$seconds" -runs=5000000 -max_len="$max_len" \
  -timeout="$per_input_seconds" -rss_limit_mb=1024 -artifact_prefix="$work/artifacts/" \
  -print_final_stats=1 >"$work/fuzz.log" 2>&1
status=$?
tail -15 "$work/fuzz.log"
if [ $status -ne 0 ]; then
  echo "FAIL: the fuzzer found a problem (per-input limit ${per_input_seconds} s); artifacts:"
  ls -l "$work/artifacts"
  exit 1
fi
echo "fuzzing $target for ${seconds} s (per-input limit ${per_input_seconds} s) found nothing"
