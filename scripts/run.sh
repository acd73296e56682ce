#!/usr/bin/env bash
# Sets up the machine, builds the release configuration and runs the main job: the sample
# NIBP check sequence against the built-in NB-4410 simulator. With a display it opens the
# window on the sample; without one it runs the sequence headless and writes the report.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DOSTREL_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build/release -j "$(nproc)"
app=build/release/bin/ostrel
sample=resources/samples/nibp-check.xml
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ "${1:-}" != "--headless" ]; then
  exec "$app" "$sample"
fi
mkdir -p out
export QT_QPA_PLATFORM=offscreen
exec "$app" run "$sample" --operator auto --sim-speed 20 \
  --report out/nibp-check.pdf --html out/nibp-check.html \
  --json out/nibp-check.json --csv out/nibp-check.csv --save out/nibp-check-result.xml
