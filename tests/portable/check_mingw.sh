#!/usr/bin/env bash
# The engine and the counting run build for Windows with MinGW-w64: no POSIX and no Qt in them.
set -euo pipefail
root=$1
out=$2
mkdir -p "$out"
cd "$root"
mapfile -t sources < <(ls core/*.cpp core/*/*.cpp)
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -static -I"$root" \
    "${sources[@]}" tests/portable/countingrun.cpp -o "$out/countingrun.exe"
format=$(x86_64-w64-mingw32-objdump -f "$out/countingrun.exe" | grep -o 'file format [a-z0-9-]*')
echo "countingrun.exe: $format"
[[ $format == "file format pei-x86-64" ]]
