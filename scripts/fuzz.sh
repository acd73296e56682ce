#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/fuzz_*.cpp) with clang and runs each briefly on its seed
# corpus (fuzz/corpus/<target>/). New inputs and crash artifacts stay in build/fuzz.
#   OSTREL_FUZZ_BUDGET   seconds for all targets together (default 100)
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh --fuzz
build=build/fuzz
budget=${OSTREL_FUZZ_BUDGET:-100}

targets=()
for src in fuzz/fuzz_*.cpp; do
  [ -e "$src" ] && targets+=("$(basename "$src" .cpp)")
done
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets"
  exit 0
fi

# Lean build: no debug information, light optimisation; every object carries the coverage
# instrumentation so that the fuzzer sees into the libraries too.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DOSTREL_FUZZ=ON -DOSTREL_TESTS=OFF -DOSTREL_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS="-O1 -g0 -fsanitize=fuzzer-no-link" > "$build.log" 2>&1 \
  || { cat "$build.log"; exit 1; }
ninja -C "$build" -j "$(nproc)" "${targets[@]}"

per=$(( budget / ${#targets[@]} ))
(( per > 15 )) && per=15
(( per < 5 )) && per=5

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
failed=()
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  artifacts="$build/artifacts/$t"
  mkdir -p "$work" "$artifacts" "fuzz/corpus/$t"
  echo "fuzz: $t for ${per}s"
  if ! "$build/bin/$t" -max_total_time="$per" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$artifacts/" "$work" "fuzz/corpus/$t" > "$build/$t.log" 2>&1; then
    tail -40 "$build/$t.log"
    failed+=("$t")
  else
    grep -E '^stat::number_of_executed_units' "$build/$t.log" || true
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failed: ${failed[*]} (inputs in $build/artifacts)"
  exit 1
fi
echo "fuzz: ${#targets[@]} targets ran clean"
