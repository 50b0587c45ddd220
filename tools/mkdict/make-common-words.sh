#!/usr/bin/env bash
# Regenerates assets/dict/common-words.txt from Debian's scowl package (not needed by the build).
# Each word of assets/dict/words.txt gets its SCOWL size, the smallest size list of the categories
# english-words and american-words that holds it; the words of size 50 or less are the common ones,
# the words an ordinary adult knows, and go into the list. The full table of sizes is written to
# standard output as "size word" lines for anyone who wants another threshold.
# Usage: make-common-words.sh [SCOWL_DIR] [> sizes.txt]
set -euo pipefail
scowl=${1:-/usr/share/dict/scowl}
here=$(cd "$(dirname "$0")/../.." && pwd)
words=$here/assets/dict/words.txt
out=$here/assets/dict/common-words.txt
sizes="10 20 35 40 50 55 60"
common_max=50

export LC_ALL=C
sized=$(mktemp)
trap 'rm -f "$sized"' EXIT
for size in $sizes; do
  for category in english-words american-words; do
    f=$scowl/$category.$size
    [ -r "$f" ] || { echo "make-common-words: missing $f (apt-get install scowl)" >&2; exit 1; }
    grep -E '^[a-z]{3,10}$' "$f" | sed "s/^/$size /"
  done
done > "$sized"

# The first (smallest) size seen for each word of our list.
awk 'NR == FNR { want[$1] = 1; next }
     ($2 in want) && !($2 in size) { size[$2] = $1 }
     END { for (w in size) print size[w], w }' "$words" "$sized" | sort -k2 > "$sized.table"
mv "$sized.table" "$sized"

{
  echo "# The common words of words.txt: those of SCOWL size $common_max or less (tools/mkdict/make-common-words.sh)."
  echo "# The daily puzzle asks for these and counts the others as bonus words. One word per line."
  awk -v max=$common_max '$1 <= max { print $2 }' "$sized"
} > "$out.tmp"
mv "$out.tmp" "$out"
cat "$sized"
echo "make-common-words: $(grep -vc '^#' "$out") of $(wc -l < "$words") words are common, in $out" >&2
