#!/usr/bin/env bash
# Regenerates assets/dict/words.txt from Debian's scowl package (not needed by the build):
# categories english-words and american-words up to size 60, lower-case a-z words of 3 to 10
# letters. The offensive words are taken out later, when mkdict builds the dictionary.
# Usage: make-wordlist.sh [SCOWL_DIR]
set -euo pipefail
scowl=${1:-/usr/share/dict/scowl}
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$here/assets/dict/words.txt
sizes="10 20 35 40 50 55 60"

files=()
for category in english-words american-words; do
  for size in $sizes; do
    f=$scowl/$category.$size
    [ -r "$f" ] || { echo "make-wordlist: missing $f (apt-get install scowl)" >&2; exit 1; }
    files+=("$f")
  done
done

export LC_ALL=C
cat "${files[@]}" \
  | grep -E '^[a-z]{3,10}$' \
  | sort -u > "$out.tmp"
mv "$out.tmp" "$out"
echo "make-wordlist: $(wc -l < "$out") words in $out"
