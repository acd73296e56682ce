#!/usr/bin/env bash
# Sets up the machine, builds everything with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test headless (the fuzz targets among them, replaying their corpora and fixed-seed
# mutants), then builds and checks the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
# Line tables are enough for the sanitizers' stack traces and build faster than full debug data.
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DOSTREL_SANITIZE=ON -DOSTREL_TESTS=ON
cmake --build build/test -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
# The history tests run against a real PostgreSQL: a throw-away cluster, stopped at exit.
pg_dir=$(mktemp -d)
trap './scripts/pg-test-cluster.sh stop "$pg_dir" || true; rm -rf "$pg_dir"' EXIT
OSTREL_TEST_PG_URL=$(./scripts/pg-test-cluster.sh start "$pg_dir")
export OSTREL_TEST_PG_URL
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 300
# The Debian package: built from the release configuration, unpacked and run from there.
./scripts/package.sh
