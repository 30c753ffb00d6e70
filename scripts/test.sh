#!/usr/bin/env bash
# Builds everything and runs every test: the whole suite offscreen, the window
# tests once more on a real X server (Xvfb), and the suite again built with
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/install-deps.sh"

cmake -S "$root" -B "$root/build-test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-test" -j"$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$root/build-test" --output-on-failure -j"$jobs"

# The window tests on a real display, so focus, activation and painting run
# as on a user's desktop.
display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
DISPLAY="$display" QT_QPA_PLATFORM=xcb ctest --test-dir "$root/build-test" --output-on-failure -L gui
kill $xvfb 2>/dev/null || true
trap - EXIT

cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZOV_SANITIZE=ON \
  -DZOV_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs"

# Short fuzzing runs of the data-file reader, the number conversion and the
# sweep (scripts/fuzz-long.sh runs them for longer).
cmake -S "$root/tests/fuzz" -B "$root/build-fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DZOV_FUZZ_SECONDS=5 >/dev/null
cmake --build "$root/build-fuzz" -j"$jobs"
ctest --test-dir "$root/build-fuzz" --output-on-failure
