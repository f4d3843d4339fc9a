#!/usr/bin/env bash
# The program, its tools and the benchmark stay clean under the checks in .clang-tidy.
set -euo pipefail
source_dir=$1
build=$2
cd "$source_dir"
mapfile -t files < <(ls app/*.cpp core/*.cpp core/*/*.cpp tools/*.cpp bench/*.cpp)
run-clang-tidy -p "$build" -quiet "${files[@]}" >"$build/clang-tidy.log" 2>&1 || {
    grep -E 'warning:|error:' "$build/clang-tidy.log" >&2 || cat "$build/clang-tidy.log" >&2
    exit 1
}
echo "clang-tidy: ${#files[@]} files clean"
