#!/usr/bin/env bash
# The translators' files: the template lists the word table as it stands (make it again with
# `packagewords --pot po/halmira.pot`, then `msgmerge -U po/xx.po po/halmira.pot`), and every
# PO file is well formed, its slots as the Czech words have them.
set -euo pipefail
root=$1
packagewords=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$packagewords" --pot "$scratch/halmira.pot"
if ! diff -u "$root/po/halmira.pot" "$scratch/halmira.pot"; then
    echo "po/halmira.pot is not the word table's: make it again with packagewords --pot" >&2
    exit 1
fi
for po in "$root"/po/*.po; do
    msgfmt --check-format --check-domain -o /dev/null "$po"
    # Every entry of the template, and nothing else.
    msgcmp "$po" "$root/po/halmira.pot" --use-untranslated
done
echo "po: the template is current; $(ls "$root"/po/*.po | wc -l) translations well formed"
