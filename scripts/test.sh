#!/usr/bin/env bash
# Checks formatting and static analysis (scripts/lint.sh), then builds every
# configuration, warnings as errors, and runs every test: the portable core
# natively (AddressSanitizer + UndefinedBehaviorSanitizer), the fuzzers
# briefly, the benchmarks (built only), and the Windows build under Wine on
# Xvfb. A failing step does not stop the others; the failed ones are listed
# again at the end.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

failed_steps=()
step() {
  echo "== $*"
  "$@" || { echo "== FAILED: $*"; failed_steps+=("$*"); }
}

step bash scripts/lint.sh
for preset in native windows bench fuzz; do
  step cmake --preset "$preset" -Wno-dev --log-level=WARNING
  step cmake --build --preset "$preset"
done
step ctest --preset native
step ctest --preset fuzz --no-tests=ignore
step ctest --preset windows

if [ ${#failed_steps[@]} -ne 0 ]; then
  echo "== ${#failed_steps[@]} step(s) failed:"
  printf '==   %s\n' "${failed_steps[@]}"
  exit 1
fi
echo "== lint, all builds and tests passed"
