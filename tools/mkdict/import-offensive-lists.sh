#!/usr/bin/env bash
# Refreshes the published lists of offensive words in assets/dict/offensive/ from their npm
# packages (not run by the build): the LDNOOBW lists (naughty-words, CC-BY-4.0) of English and of
# the other languages Varnook plays, and the English entries that cuss (MIT) rates as sure to be
# profane. Needs npm and node.
# Usage: import-offensive-lists.sh [NAUGHTY_WORDS_VERSION [CUSS_VERSION]]
set -euo pipefail
naughty=${1:-1.2.0}
cuss=${2:-2.2.0}
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$here/assets/dict/offensive
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && npm pack --silent "naughty-words@$naughty" "cuss@$cuss" >/dev/null)
mkdir -p "$work/naughty" "$work/cuss"
tar xzf "$work/naughty-words-$naughty.tgz" -C "$work/naughty"
tar xzf "$work/cuss-$cuss.tgz" -C "$work/cuss"
export LC_ALL=C

{
  echo "# The LDNOOBW English list (List of Dirty, Naughty, Obscene, and Otherwise Bad Words, by"
  echo "# Shutterstock and contributors), as published in the npm package naughty-words $naughty (en.json),"
  echo "# one entry per line. Converted from JSON only: the entries are unchanged. Licence: CC-BY-4.0,"
  echo "# LDNOOBW-LICENSE.txt. Made by tools/mkdict/import-offensive-lists.sh."
  node -e 'for (const w of require(process.argv[1])) console.log(w)' "$work/naughty/package/en.json"
} >"$out/ldnoobw-en.txt"
cp "$work/naughty/package/LICENSE" "$out/LDNOOBW-LICENSE.txt"
for code in de es fr it nl pt; do
  {
    echo "# The LDNOOBW list of language $code, as published in the npm package naughty-words $naughty"
    echo "# ($code.json), one entry per line. Converted from JSON only: the entries are unchanged. Licence:"
    echo "# CC-BY-4.0, LDNOOBW-LICENSE.txt. Made by tools/mkdict/import-offensive-lists.sh."
    node -e 'for (const w of require(process.argv[1])) console.log(w)' "$work/naughty/package/$code.json"
  } >"$out/ldnoobw-$code.txt"
done

{
  echo "# The entries that cuss $cuss (npm package cuss, by Titus Wormer) rates 2, \"sure\" to be profane,"
  echo "# one per line in the package's order. Licence: MIT, cuss-LICENSE.txt. Made by"
  echo "# tools/mkdict/import-offensive-lists.sh."
  node --input-type=module -e 'const {cuss} = await import(process.argv[1]);
for (const [w, rating] of Object.entries(cuss)) if (rating === 2) console.log(w)' "$work/cuss/package/index.js"
} >"$out/cuss-sure.txt"
cp "$work/cuss/package/license" "$out/cuss-LICENSE.txt"
echo "import-offensive-lists: $(grep -vc '^#' "$out/ldnoobw-en.txt") LDNOOBW entries, $(grep -vc '^#' "$out/cuss-sure.txt") cuss entries"
for code in de es fr it nl pt; do echo "import-offensive-lists: $(grep -vc '^#' "$out/ldnoobw-$code.txt") LDNOOBW entries ($code)"; done
