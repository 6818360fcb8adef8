#!/usr/bin/env bash
# Checks the C++ sources against the repository's .clang-format (every file)
# and .clang-tidy (the portable core: model/, xml/, docfile/). Exits nonzero
# when either reports anything.
#
#   scripts/lint.sh [BUILD_DIR]
#
# BUILD_DIR is a native build tree whose compile_commands.json clang-tidy
# reads (default build/native); it is configured with the native preset when
# it has no compile database yet. Nothing is built.
set -uo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build/native}
jobs=2
failed=0

for tool in clang-format clang-tidy; do
    command -v "$tool" >/dev/null || {
        echo "== lint failed: $tool is not installed (scripts/setup.sh installs it)"
        exit 1
    }
done

# Sources of our own: everything but build trees and generated corpora.
mapfile -t cpp_files < <(find . \( -path './build' -o -path './build-*' -o -path './.git' -o -path './fuzz/corpus*' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)

echo "== clang-format (${#cpp_files[@]} files)"
if ! clang-format --dry-run --Werror "${cpp_files[@]}"; then
    echo "== clang-format: files above need 'clang-format -i'"
    failed=1
fi

if [ ! -f "$build_dir/compile_commands.json" ]; then
    cmake --preset native -B "$build_dir" -Wno-dev --log-level=WARNING >/dev/null || {
        echo "== cannot configure $build_dir"
        exit 1
    }
fi

# Only the files the native build compiles: the Win32-only ones of the core
# have no entry in its compile database.
database="$build_dir/compile_commands.json"
tidy_files=()
for f in "${cpp_files[@]}"; do
    case "$f" in
    model/*.cpp | xml/*.cpp | docfile/*.cpp)
        grep -q "\"file\": \"$PWD/$f\"" "$database" && tidy_files+=("$f")
        ;;
    esac
done

echo "== clang-tidy (${#tidy_files[@]} files, $build_dir)"
tidy_output=$(printf '%s\n' "${tidy_files[@]}" |
    xargs -P "$jobs" -n 4 clang-tidy -p "$build_dir" --quiet --warnings-as-errors='*' 2>/dev/null)
tidy_status=$?
if [ -n "$tidy_output" ]; then
    printf '%s\n' "$tidy_output"
fi
if [ $tidy_status -ne 0 ] || grep -q 'warning:\|error:' <<<"$tidy_output"; then
    echo "== clang-tidy: findings above"
    failed=1
fi

if [ $failed -ne 0 ]; then
    echo "== lint failed"
    exit 1
fi
echo "== lint passed"
