#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the SMF reader with its libFuzzer target (clang++ -fsanitize=fuzzer,address)
# and fuzzes it for a bounded time, seeded with tests/platform/media/fixtures/smf.
# A crasher is copied into the build directory and named on the output; keep it as a
# fixture under tests/platform/media/fixtures/smf/ with a regression test.
#   run_smf_fuzz.sh SOURCE_DIR WORK_DIR [SECONDS]
# Exits 77 (skipped) when clang++ or its fuzzer runtime is missing.
set -uo pipefail
src="$1"
work="$2"
seconds="${3:-${XMASCARD_FUZZ_SECONDS:-20}}"
cxx="${CLANGXX:-$(command -v clang++ || command -v clang++-14 || true)}"
if [ -z "$cxx" ]; then
  echo "SKIP: clang++ not found (install clang and libclang-rt-14-dev)"
  exit 77
fi
mkdir -p "$work/corpus" "$work/artifacts"
exe="$work/smf_reader_fuzz"
if ! "$cxx" -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$src/src" "$src/src/platform/media/smf_reader.cpp" \
    "$src/tests/platform/media/fuzz/smf_reader_fuzz.cpp" -o "$exe" 2>"$work/build.log"; then
  if grep -q -i "fuzzer\|cannot find\|no such file" "$work/build.log"; then
    echo "SKIP: clang++ cannot build a libFuzzer target here:"
    head -5 "$work/build.log"
    exit 77
  fi
  cat "$work/build.log"
  exit 1
fi
cp "$src"/tests/platform/media/fixtures/smf/* "$work/corpus/" 2>/dev/null || true
"$exe" "$work/corpus" -max_total_time="$seconds" -runs=5000000 -max_len=4096 -timeout=10 \
  -rss_limit_mb=1024 -artifact_prefix="$work/artifacts/" -print_final_stats=1 >"$work/fuzz.log" 2>&1
status=$?
tail -15 "$work/fuzz.log"
if [ $status -ne 0 ]; then
  echo "FAIL: the fuzzer found a problem; artifacts:"
  ls -l "$work/artifacts"
  exit 1
fi
echo "fuzzing the SMF reader for ${seconds} s found nothing"
