#!/usr/bin/env bash
# Installs with cmake --install and as a .deb into scratch roots, and checks what lands there:
# the program, the desktop entry, the icon and the AppStream metainfo, all valid.
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

id=org.example.Halmira
files=(
    usr/bin/halmira
    usr/share/applications/$id.desktop
    usr/share/icons/hicolor/256x256/apps/$id.png
    usr/share/metainfo/$id.metainfo.xml
    usr/share/man/man1/halmira.1.gz
    usr/share/doc/halmira/copyright
    usr/share/doc/halmira/changelog.gz
)

expect_files() {
    for file in "${files[@]}"; do
        [[ -f "$1/$file" ]] || { echo "missing from $2: $file" >&2; exit 1; }
    done
    [[ -x "$1/usr/bin/halmira" ]] || { echo "$2: halmira is not executable" >&2; exit 1; }
}

# Every library path entry names a folder: an empty one means the current folder, from which a
# planted library would be loaded.
check_runpath() {
    local runpath
    runpath=$(readelf -d "$1" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
    [[ -z $runpath ]] && return
    IFS=: read -ra entries <<<"$runpath:"
    for entry in "${entries[@]}"; do
        [[ $entry == /* || $entry == '$ORIGIN'* ]] ||
            { echo "$2: RUNPATH [$runpath] has the entry '$entry'" >&2; exit 1; }
    done
}
check_runpath "$build/halmira" "the build tree"

cmake --install "$build" --prefix "$scratch/install/usr" >/dev/null
check_runpath "$scratch/install/usr/bin/halmira" "cmake --install"
expect_files "$scratch/install" "cmake --install"
desktop-file-validate "$scratch/install/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$scratch/install/usr/share/metainfo/$id.metainfo.xml" >/dev/null

(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(echo "$scratch"/deb/halmira_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 fonts-liberation2; do
    grep -q "\b$package\b" <<<"$depends" || { echo "Depends lacks $package: $depends" >&2; exit 1; }
done

# Debian's own checks: no error and no warning. lintian's exit status says only whether it
# ran, so its tags are read.
tags=$(lintian --no-cfg --fail-on none "$deb" 2>&1 | grep -E '^[EW]: ' || true)
[[ -z $tags ]] || { echo "lintian:" >&2; echo "$tags" >&2; exit 1; }
zcat "$scratch/install/usr/share/man/man1/halmira.1.gz" | groff -k -man -Tutf8 -ww -z 2>&1 |
    { ! grep . >&2; } || { echo "the manual page has mistakes" >&2; exit 1; }

# dpkg with its own database in the scratch root; the dependencies are this machine's.
root=$scratch/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends --force-script-chrootless -i "$deb" >/dev/null
expect_files "$root" "the .deb"
check_runpath "$root/usr/bin/halmira" "the .deb"
dpkg --root="$root" -s halmira | grep -q '^Status: install ok installed'
echo "package: ${#files[@]} files installed both ways; Depends: $depends"
