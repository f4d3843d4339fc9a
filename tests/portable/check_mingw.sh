#!/usr/bin/env bash
# The engine and the counting run build for Windows with MinGW-w64: no POSIX and no Qt in them.
# Where Debian's wine64 is installed, the Windows program runs under it and must count what the
# native run counts.
set -euo pipefail
root=$1
out=$2
mkdir -p "$out"
cd "$root"
mapfile -t sources < <(ls core/*.cpp core/*/*.cpp)
shopt -s nullglob
# The word table's translations, as the build writes them.
/usr/bin/python3 tools/translations.py "$out/translations.cpp" po/*.po
sources+=("$out/translations.cpp")
# The version, as the build hands it to the engine from the top project().
version=$(scripts/version)
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -Werror -static -I"$root" \
    -DHALMIRA_VERSION="\"$version\"" "${sources[@]}" tests/portable/countingrun.cpp -o "$out/countingrun.exe"
format=$(x86_64-w64-mingw32-objdump -f "$out/countingrun.exe" | grep -o 'file format [a-z0-9-]*')
echo "countingrun.exe: $format"
[[ $format == "file format pei-x86-64" ]]

# Debian puts wine64's loader outside PATH.
wine=$(command -v wine64 || true)
[[ -n $wine ]] || wine=/usr/lib/wine/wine64
if [[ ! -x $wine ]]; then
    echo "wine64 is not installed: countingrun.exe was built but not run"
    exit 0
fi
# A prefix of its own, kept with the build: its first start takes seconds.
counted=$(WINEPREFIX="$out/wine" WINEDEBUG=-all DISPLAY='' WAYLAND_DISPLAY='' \
    "$wine" "$out/countingrun.exe" 2>/dev/null | tr -d '\r')
echo "under wine64: $counted"
[[ $counted == "17121 figures, 3414 waits" ]]
