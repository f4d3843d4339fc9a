#!/usr/bin/env bash
# scripts/release run twice, in two folders, at two times, with another time zone, umask and
# locale each: every file is named and present in both, the same bytes in both (diffoscope
# shows what differs), the versions inside them agree, and the checksums hold. Then
# scripts/sign signs one set with a throwaway certificate and OpenPGP key, and both
# signatures verify.
set -euo pipefail
root=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "release: $*" >&2; exit 1; }

version=$("$root/scripts/version")
names=(halmira-$version-windows-x64.exe halmira-$version-windows-x86.exe
       halmira-$version-setup-x64.exe halmira-$version-x64.msi halmira-$version.html
       halmira-$version-web.zip
       halmira_${version}_amd64.deb halmira-$version.tar.gz SHA256SUMS)

started=$(date +%s)
(umask 077 && TZ=Pacific/Auckland LANG=de_DE.UTF-8 "$root/scripts/release" "$scratch/one" >/dev/null)
sleep 2
(umask 002 && TZ=America/Los_Angeles LC_ALL=C "$root/scripts/release" "$scratch/two" >"$scratch/said")
echo "release: built twice in $(($(date +%s) - started)) s"
grep -qx 'Unsigned: no signing certificate or OpenPGP key was given.' "$scratch/said" ||
    fail "an unsigned release does not say so: $(cat "$scratch/said")"
one=$scratch/one/halmira-$version
two=$scratch/two/halmira-$version

[[ $(ls "$one" | sort) == $(printf '%s\n' "${names[@]}" | sort) ]] ||
    fail "the files are $(ls "$one" | tr '\n' ' '), not ${names[*]}"
for name in "${names[@]}"; do
    cmp -s "$one/$name" "$two/$name" && continue
    diffoscope --text - "$one/$name" "$two/$name" 2>/dev/null | head -40 >&2 || true
    fail "$name differs between two builds"
done
(cd "$one" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not hold"

# The version inside each file.
cd "$one"
agree() { [[ $2 == "$version" ]] || fail "$1 says version '$2', not $version"; }
agree "the .deb" "$(dpkg-deb -f "halmira_${version}_amd64.deb" Version)"
agree "the MSI" "$(msiinfo export "halmira-$version-x64.msi" Property |
    sed -n 's/^ProductVersion\t//p' | tr -d '\r')"
agree "the page" "$(sed -n 's/.*<meta name="version" content="\([^"]*\)">.*/\1/p' "halmira-$version.html")"
# The app's folder holds the same page, and its worker keeps this version and every file.
/usr/bin/python3 - "halmira-$version-web.zip" "halmira-$version.html" "$version" <<'EOF' ||
import sys, zipfile
archive, page, version = zipfile.ZipFile(sys.argv[1]), sys.argv[2], sys.argv[3]
assert archive.read('halmira/index.html') == open(page, 'rb').read(), 'index.html is not the page'
worker = archive.read('halmira/sw.js').decode()
assert f"const version = '{version}+" in worker, 'the worker keeps another version'
for name in archive.namelist():
    kept = f'"{name.removeprefix("halmira/")}"'
    assert name.endswith('/sw.js') or kept in worker, f'the worker does not keep {name}'
EOF
    fail "the app's folder is not this version's page with a worker that keeps it all"
agree "the source" "$(tar -tzf "halmira-$version.tar.gz" | head -1 | sed 's#halmira-\(.*\)/#\1#')"
for exe in halmira-$version-windows-x64.exe halmira-$version-windows-x86.exe \
           halmira-$version-setup-x64.exe; do
    agree "$exe" "$(/usr/bin/python3 -c '
import pefile, sys
pe = pefile.PE(sys.argv[1])
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        print(info.StringTable[0].entries[b"ProductVersion"].decode())' "$exe")"
done
mkdir "$scratch/deb"
dpkg-deb -x "halmira_${version}_amd64.deb" "$scratch/deb"
grep -q "<release version=\"$version\"" "$scratch"/deb/usr/share/metainfo/*.metainfo.xml ||
    fail "the metainfo's newest release is not $version"
zcat "$scratch/deb/usr/share/doc/halmira/changelog.gz" | head -1 | grep -q "^halmira ($version)" ||
    fail "the package's changelog does not begin with $version"

# Signed with a certificate and a key made for the test alone.
export GNUPGHOME=$scratch/gnupg
mkdir -m 700 "$GNUPGHOME"
openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Halmira test" -days 2 \
    -keyout "$scratch/key.pem" -out "$scratch/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$scratch/key.pem" -in "$scratch/cert.pem" \
    -passout pass:throwaway -out "$scratch/sign.p12"
gpg --batch --passphrase '' --quick-gen-key "Halmira test <test@halmira.example>" ed25519 sign 1d \
    2>/dev/null
cp -r "$two" "$scratch/signed"
HALMIRA_SIGN_PKCS12=$scratch/sign.p12 HALMIRA_SIGN_PASSWORD=throwaway \
    HALMIRA_GPG_KEY=test@halmira.example "$root/scripts/sign" "$scratch/signed" >"$scratch/said"
grep -qx 'Signed: the Windows files by osslsigncode and SHA256SUMS by OpenPGP.' "$scratch/said" ||
    fail "signing said: $(cat "$scratch/said")"
for file in "$scratch"/signed/*.exe "$scratch"/signed/*.msi; do
    osslsigncode verify -CAfile "$scratch/cert.pem" -in "$file" >/dev/null ||
        fail "the signature of $(basename "$file") does not verify"
    cmp -s "$file" "$two/$(basename "$file")" && fail "$(basename "$file") was not signed"
done
gpg --batch --verify "$scratch/signed/SHA256SUMS.asc" "$scratch/signed/SHA256SUMS" 2>/dev/null ||
    fail "SHA256SUMS.asc does not verify"
(cd "$scratch/signed" && sha256sum --quiet -c SHA256SUMS) || fail "the signed SHA256SUMS does not hold"
echo "release: ${#names[@]} files, the same bytes twice; versions agree; signatures verify"
(cd "$one" && ls -l -- * | awk '{print $5, $NF}' && cat SHA256SUMS)
