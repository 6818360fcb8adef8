#!/usr/bin/env bash
# Builds every configuration and runs every test: the portable core natively
# (AddressSanitizer + UndefinedBehaviorSanitizer), the fuzzers briefly, the
# benchmarks (built only), and the Windows build under Wine on Xvfb.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

failed=0
step() {
  echo "== $*"
  "$@" || { echo "== FAILED: $*"; failed=1; }
}

for preset in native windows bench fuzz; do
  step cmake --preset "$preset" -Wno-dev --log-level=WARNING
  step cmake --build --preset "$preset"
done
step ctest --preset native
step ctest --preset fuzz --no-tests=ignore
step ctest --preset windows

if [ $failed -ne 0 ]; then
  echo "== some steps failed"
  exit 1
fi
echo "== all builds and tests passed"
