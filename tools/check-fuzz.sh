#!/usr/bin/env bash
# The fuzz check: builds the libFuzzer targets with clang (the "fuzz" preset) and runs each for
# a while on its committed seeds, failing on any crash, leak or broken property.
# Installs clang-14 and libclang-rt-14-dev when they are missing (as root).
#
#   TOLV_FUZZ_SECONDS   seconds per target (20 by default); the long run is 600
#   TOLV_FUZZ_TARGETS   the targets to run (all by default)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${TOLV_FUZZ_SECONDS:-20}"
targets="${TOLV_FUZZ_TARGETS:-fuzz_texts fuzz_autosave fuzz_journal fuzz_hall_of_fame fuzz_start fuzz_ledger}"
build="$root/build/fuzz"

"$root/tools/ensure-packages.sh" clang-14 libclang-rt-14-dev cmake make

cd "$root"
mkdir -p "$build"
# shellcheck disable=SC2086
if ! { cmake --preset fuzz && cmake --build --preset fuzz --target $targets; } >"$build/build.log" 2>&1; then
  echo "-- the fuzz targets did not build; the end of $build/build.log:" >&2
  tail -40 "$build/build.log" >&2
  exit 1
fi

status=0
for target in $targets; do
  # The first folder gathers what the fuzzer finds (in the build tree); the seeds stay as
  # committed. A crash leaves its input in the build folder, named in the log.
  corpus="$build/corpus/$target"
  mkdir -p "$corpus" "$build/crashes"
  log="$build/$target.log"
  if "$build/tests/fuzz/$target" "$corpus" "$root/tests/fuzz/corpus/$target" \
       -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$build/crashes/$target-" >"$log" 2>&1; then
    runs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)"
    final="$(grep -E '^#[0-9]+' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+' || true)"
    echo "-- $target: ${runs:-?} runs in ${seconds}s, $final, no crash"
  else
    echo "-- $target FAILED; the end of $log:" >&2
    tail -40 "$log" >&2
    status=1
  fi
done
exit "$status"
