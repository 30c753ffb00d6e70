#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite offscreen, the window
# tests once more on a real X server (Xvfb), bare and under a window manager
# (openbox), the suite again built with AddressSanitizer and
# UndefinedBehaviorSanitizer, short fuzzing runs, and the install and the
# Debian package checked for their files; ends with one line counting every
# test of the runs and the two package checks.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/install-deps.sh"

passed=0
failed=0
# Runs one CTest command line and adds its counts to the totals.
suite() {
  local log status=0
  log="$(mktemp)"
  "$@" 2>&1 | tee "$log" || status=$?
  local line total bad
  line="$(grep -E '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)"
  rm -f "$log"
  if [ -n "$line" ]; then
    total="$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")"
    bad="$(sed -E 's/.* ([0-9]+) tests failed.*/\1/' <<<"$line")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  return "$status"
}

# Runs one check that is not a CTest run and counts it as one test.
check() {
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAILED: $*"
    failed=$((failed + 1))
  fi
}

# Both builds precompile the headers the test programs share (no compiler cache here).
cmake -S "$root" -B "$root/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOV_PCH=ON >/dev/null
cmake --build "$root/build-test" -j"$jobs"
suite env QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

# The window tests on a real display, so focus, activation and painting run
# as on a user's desktop: on a bare X server, then with a window manager that
# frames, places and activates the windows itself.
display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=""
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
suite env DISPLAY="$display" QT_QPA_PLATFORM=xcb ctest --test-dir "$root/build-test" --output-on-failure -L gui
DISPLAY="$display" openbox >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do DISPLAY="$display" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
suite env DISPLAY="$display" QT_QPA_PLATFORM=xcb ctest --test-dir "$root/build-test" --output-on-failure -L gui
kill $wm $xvfb 2>/dev/null || true
trap - EXIT

# The window libraries precompile their headers here only: build-test compiles
# them on their own includes.
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOV_SANITIZE=ON \
  -DZOV_BUILD_BENCH=OFF -DZOV_PCH=ON -DZOV_PCH_WINDOWS=ON >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
suite env ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

# Short fuzzing runs of the data-file reader, the number conversion and the
# sweep (scripts/fuzz-long.sh runs them for longer).
cmake -S "$root/tests/fuzz" -B "$root/build-fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZOV_FUZZ_SECONDS=5 >/dev/null
cmake --build "$root/build-fuzz" -j"$jobs"
suite ctest --test-dir "$root/build-fuzz" --output-on-failure

# What `cmake --install` and `cpack -G DEB` deliver (the package's contents are listed).
check bash "$root/scripts/check-install.sh" install "$root/build-test"
check bash "$root/scripts/check-install.sh" deb "$root/build-test"

echo "all: $passed passed, $failed failed"
