#!/usr/bin/env bash
# The program builds alone with Qt's widgets and nothing else: clang++ with warnings as errors,
# fontconfig, giflib and X11 hidden, no tests. It must link none of the three.
set -euo pipefail
root=$1
out=$2
rm -rf "$out"
cmake -S "$root" -B "$out" -G Ninja -Wno-dev -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS=-Werror \
    -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Fontconfig=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON -DCMAKE_DISABLE_FIND_PACKAGE_GIF=ON >"$out.log" 2>&1 &&
    cmake --build "$out" >>"$out.log" 2>&1 || {
    cat "$out.log" >&2
    exit 1
}
needed=$(readelf -d "$out/halmira" | grep NEEDED)
echo "$needed"
if grep -Ei 'fontconfig|libgif|libX11' <<<"$needed"; then
    echo "halmira links a library it must not need" >&2
    exit 1
fi
