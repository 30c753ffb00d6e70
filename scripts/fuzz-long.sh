#!/usr/bin/env bash
# Long fuzzing campaign (not part of CI): each target for SECONDS (default 600)
# from its committed corpus; findings are left as crash-* files in build-fuzz/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-600}"
cmake -S "$root/tests/fuzz" -B "$root/build-fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$root/build-fuzz" -j"$(nproc)"
cd "$root/build-fuzz"
for target in store number sweep; do
  rm -rf "long_$target" && cp -r "$root/tests/fuzz/corpus/$target" "long_$target"
  echo "== fuzz_$target for ${seconds}s"
  "./fuzz_$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 "long_$target" 2>&1 |
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY|Done' || true
done
