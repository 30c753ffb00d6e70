#!/usr/bin/env bash
# Builds the program and the four command-line tools into build/ (build/app/zovuderiz,
# build/cli/zovuderiz-sweep, build/cli/zovuderiz-design, build/cli/zovuderiz-review,
# build/cli/zovuderiz-setting) and opens the program in
# the demo working folder demo/, created on first use with the sample engines as
# its ste_data.dat.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target zovuderiz zovuderiz-sweep zovuderiz-design zovuderiz-review zovuderiz-setting
mkdir -p "$root/demo"
[ -e "$root/demo/ste_data.dat" ] || cp "$root/examples/ste_data.dat" "$root/demo/ste_data.dat"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "zovuderiz: no graphical display is available (set DISPLAY, or start it under Xvfb)." >&2
  exit 1
fi
cd "$root/demo"
exec "$root/build/app/zovuderiz"
