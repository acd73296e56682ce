#!/usr/bin/env bash
# Builds the Debian package from the release build, unpacks it with dpkg-deb -x into a
# temporary root and runs the installed programs from there, with no build tree on the path
# and a fresh user: --version, info, the sample sequence headless against the built-in
# simulator, and the refusal of a bad option. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
# OSTREL_PACKAGE_BUILD names another build folder configured with -DCMAKE_INSTALL_PREFIX=/usr
# (a sanitizer build then needs ASAN_OPTIONS=detect_leaks=0).
build=${OSTREL_PACKAGE_BUILD:-build/release}
if [ -z "${OSTREL_PACKAGE_BUILD:-}" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DOSTREL_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/ostrel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/ostrel_*_"$(dpkg --print-architecture)".deb)
echo "package: $deb"
dpkg-deb -f "$deb" Package Version Architecture Depends

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
fail() { echo "package check: $*" >&2; exit 1; }

# Nothing shipped names the build tree, and the tools do without Qt Widgets.
if grep -rIl -- "$PWD" "$root"; then fail "the files above name the build tree"; fi
for tool in nb4410 nb4410-sim ostrel-regsvr; do
  if LD_LIBRARY_PATH= ldd "$root/usr/bin/$tool" | grep -q Qt6Widgets; then fail "$tool links Qt6Widgets"; fi
done
[ -f "$root/usr/share/applications/com.halvard.Ostrel.desktop" ] || fail "no desktop file"
[ -f "$root/usr/share/man/man1/ostrel.1.gz" ] || fail "no manual page"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/com.halvard.Ostrel.metainfo.xml" >/dev/null \
    || appstreamcli validate --no-net "$root/usr/share/metainfo/com.halvard.Ostrel.metainfo.xml"
fi

# The installed programs, from a scratch folder, as a new user would run them.
work="$root/work"
mkdir -p "$work/home"
installed() {
  (cd "$work" && env -i PATH="$root/usr/bin:/usr/bin:/bin" HOME="$work/home" QT_QPA_PLATFORM=offscreen \
     ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS} "$@")
}
installed ostrel --version
installed ostrel info
sample="$root/usr/share/ostrel/samples/nibp-check.xml"
installed ostrel run "$sample" --device simulator --operator auto --sim-speed 60 \
  --json "$work/nibp-check.json" --report "$work/nibp-check.pdf" >"$work/run.out" 2>"$work/run.err" \
  || { cat "$work/run.out" "$work/run.err"; fail "the sample did not pass"; }
grep -q "Overall: PASSED" "$work/run.out" || fail "no passed summary"
[ -s "$work/nibp-check.pdf" ] || fail "no report"
if grep -E "This plugin does not support|qt\.qpa" "$work/run.err"; then fail "the headless run printed Qt's platform warnings"; fi
status=0
installed ostrel run "$sample" --bogus 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "a bad option exited with $status, not 2"
echo "package check: passed"
