#!/usr/bin/env bash
# Installs every package the build, the tests and the main job need. Safe to run again.
# --fuzz adds clang, which only scripts/fuzz.sh needs.
set -euo pipefail
packages=(
  cmake ninja-build g++                # toolchain
  qt6-base-dev qt6-serialport-dev libgl-dev   # widgets, offscreen platform, serial ports
  qt6-charts-dev                       # pressure curve and history trend charts
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools   # Qt Linguist: .ts/.qm translations
  libqt6sql6-sqlite libqt6sql6-psql    # results history: SQLite file, PostgreSQL server
  postgresql                           # a throw-away server for the history tests
  dpkg-dev file                        # CPack's Debian package and its shlibdeps
  libpugixml-dev                       # XML storage documents and the catalogue
  libgtest-dev libgmock-dev            # unit and end-to-end tests
  libbenchmark-dev                     # bench/
  poppler-utils                        # pdftotext, to check rendered reports in tests
  ccache                               # faster rebuilds; optional at run time
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang)                    # the libFuzzer targets
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
