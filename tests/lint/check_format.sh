#!/usr/bin/env bash
# Every C++ file is formatted as .clang-format says.
set -euo pipefail
cd "$1"
mapfile -t files < <(find app core web win tools bench tests -name '*.cpp' -o -name '*.h')
clang-format --dry-run -Werror "${files[@]}"
echo "clang-format: ${#files[@]} files formatted"
